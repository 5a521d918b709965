#pragma once
// The hand-over of a room from a second launch to the running client.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/single_instance.h"
#include "protocol/launch_settings.h"

namespace orvinta::shell {

inline constexpr std::uint32_t kHandOverId = 0x502;

// dwData 0x502 and "%s\n%s\n%s\n%s\n%s" of user, room key, room title, peer
// id and peer nick, with its terminating zero byte.
platform::CopyData MakeHandOver(const LaunchSettings& settings);

// The name of the running client's endpoint: its window class "Orvinta Class"
// and the logged-in user id, so a launch only ever reaches its own user's client.
std::string HandOverEndpoint(std::string_view userId);
inline constexpr std::string_view kHandOverEndpointPrefix = "orvinta-class-";

}  // namespace orvinta::shell
