#pragma once
// The launch text: twelve line-feed separated fields, optionally behind
// "orvinta://", as the web page control or a link writes it.
#include <optional>
#include <string>
#include <string_view>

#include "protocol/launch_settings.h"

namespace orvinta::shell {

inline constexpr std::size_t kMinUserIdSize = 2;
inline constexpr std::size_t kMaxUserIdSize = 21;
inline constexpr std::size_t kMaxRoomTitleSize = 260;
inline constexpr std::size_t kCutRoomTitleSize = 250;

// The launch settings the text gives, or nullopt when start-up must stop
// silently (empty text, or a user id that is empty or not 2 to 21 bytes).
// `defaultServer` is used for an empty server field.
std::optional<LaunchSettings> ParseLaunchText(std::string_view commandLine, std::string_view defaultServer);

// Lower case, and "_" in front of an id that begins with a digit.
std::string NormaliseUserId(std::string_view id);

// "|" removed; a title still longer than 260 bytes is cut to 250.
std::string CleanRoomTitle(std::string_view title);

// The default endpoint "host:11900".
std::string DefaultServerAddress();

}  // namespace orvinta::shell
