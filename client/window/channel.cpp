#include "client/window/channel.h"

#include <algorithm>

namespace orvinta::window {

std::string_view WaitingRoomName() { return "오르빈타 홈"; }
std::string_view WaitingRoomTitle() { return "오르빈타 대기실입니다"; }

std::string PrivateRoomTitle(std::string_view partnerNick) {
  return std::string(partnerNick) + "님과의 1:1 대화방입니다";
}

bool Channel::Ignores(std::string_view id) const { return std::find(ignored.begin(), ignored.end(), id) != ignored.end(); }

}  // namespace orvinta::window
