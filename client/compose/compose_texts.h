#pragma once
// The user's texts for composing: the header and footer put around every sent
// line and the texts of the shortcut keys F1..F10. All empty until the
// configuration file fills them.
#include <array>
#include <string>

namespace orvinta::compose {

inline constexpr std::size_t kShortcutCount = 10;

struct ComposeTexts {
  std::string Header;
  std::string Footer;
  std::array<std::string, kShortcutCount> Shortcut;  // F1 .. F10
};

}  // namespace orvinta::compose
