#include "client/window/channel.h"

namespace orvinta::window {

std::string_view WaitingRoomName() { return "오르빈타 홈"; }
std::string_view WaitingRoomTitle() { return "오르빈타 대기실입니다"; }

}  // namespace orvinta::window
