#pragma once
// The hand-over of a room from a second launch to the running client.
#include <cstdint>
#include <string>

#include "platform/single_instance.h"
#include "protocol/launch_settings.h"

namespace orvinta::shell {

inline constexpr std::uint32_t kHandOverId = 0x502;

// dwData 0x502 and "%s\n%s\n%s\n%s\n%s" of user, room key, room title, peer
// id and peer nick, with its terminating zero byte.
platform::CopyData MakeHandOver(const LaunchSettings& settings);

}  // namespace orvinta::shell
