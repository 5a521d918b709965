#pragma once
// Starting the chat client into a room: the twelve launch fields built from
// the control's settings, its session value and the page's arguments.
#include <array>
#include <string>
#include <string_view>

#include "webcontrol/quendel_settings.h"

namespace orvinta::quendel {

using LaunchFields = std::array<std::string, 12>;

// For a group room: the room id and title as the page gave them.
LaunchFields RoomLaunchFields(const QuendelSettings& settings, std::string_view sessionValue, std::string_view roomId,
                              std::string_view roomTitle, std::string_view autoEnter);

// For a 1:1 room with another member: the room key of both ids, the peer's
// nick in the title.
LaunchFields PrivateLaunchFields(const QuendelSettings& settings, std::string_view sessionValue,
                                 std::string_view peerId, std::string_view peerNick, std::string_view autoEnter);

// The fields joined with line feeds, none after the last. A line break inside
// a field would shift the fields after it, so each field loses its line
// breaks first.
std::string JoinLaunchFields(const LaunchFields& fields);

inline constexpr std::string_view kClientProgramName = "orvinta";

// $QUENDEL_CLIENT_DIR when set, else the directory this build installs the
// client to.
std::string ClientProgramDirectory();
std::string ClientProgramPath(std::string_view directory);

}  // namespace orvinta::quendel
