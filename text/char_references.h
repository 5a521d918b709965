#pragma once
// HTML character references as a browser reads them in a chat line's text:
// numbers (decimal and hex), the HTML 4 names, and the old names a browser
// still reads without their ";" ("&lt", "&copy"). Characters code page 949
// cannot hold travel this way, so every place that shows a line reads them.
#include <cstddef>
#include <optional>
#include <string_view>

namespace orvinta::text {

struct CharacterReference {
  char32_t point = 0;       // the character it stands for (U+FFFD for a number that is none)
  std::size_t length = 0;   // bytes it takes, "&" included
};

// The reference at the start of `rest` (which starts with "&"), nullopt when
// the text there is no reference and stands for itself.
std::optional<CharacterReference> ReferenceAt(std::string_view rest);

// The bytes a reference at the start of `rest` takes, 0 when there is none.
inline std::size_t ReferenceLength(std::string_view rest) {
  const auto reference = ReferenceAt(rest);
  return reference ? reference->length : 0;
}

}  // namespace orvinta::text
