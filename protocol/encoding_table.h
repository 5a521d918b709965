#pragma once
// The body scrambling table shared by client, control and server. Its values
// are a deployment secret chosen at build time (see protocol/CMakeLists.txt).
#include <array>
#include <cstddef>
#include <cstdint>

namespace orvinta::protocol {

inline constexpr std::size_t kEncodingTableSize = 255;
extern const std::array<std::uint8_t, kEncodingTableSize> K;

}  // namespace orvinta::protocol
