#pragma once
// The one rule for a room key that came from outside (a launch, a hand-over,
// a page): it travels inside a "/"-separated frame and names a channel.
#include <cstddef>
#include <string_view>

namespace orvinta::shell {

inline constexpr std::size_t kMaxRoomKeyBytes = 128;

// Not empty, at most kMaxRoomKeyBytes, and free of the separators "/" and "|",
// control bytes and the markup characters < > " '. "#" and "&" appear in
// portal keys and are allowed; where a key goes into an address it is encoded.
bool IsUsableRoomKey(std::string_view key);

}  // namespace orvinta::shell
