#pragma once
// The twenty settings kept in Orvinta.cfg, in the order the file holds them.
#include <array>
#include <cstdint>
#include <string>

namespace orvinta::config {

inline constexpr std::size_t kShortcutCount = 10;
inline constexpr std::size_t kReservedCount = 2;
inline constexpr std::int32_t kDefaultWindowWidth = 600;
inline constexpr std::int32_t kDefaultWindowHeight = 415;

struct ConfigValues {
  std::int32_t WindowLeft = 0;
  std::int32_t WindowTop = 0;
  std::int32_t WindowWidth = kDefaultWindowWidth;
  std::int32_t WindowHeight = kDefaultWindowHeight;
  std::string SaveFolder;
  std::string Header;   // 머리말, put before every sent line
  std::string Footer;   // 꼬리말, put after it
  std::array<std::string, kShortcutCount> Shortcut;  // F1 .. F10
  std::array<std::string, kReservedCount> Reserved;  // unused, written back as read
  std::int32_t Skin = 0;                             // 1 "GREEN", 0 "BLUE"

  bool operator==(const ConfigValues&) const = default;
};

}  // namespace orvinta::config
