#pragma once
// Cuts inserted text into plain runs and links. A link starts at one of the
// prefixes "HTTP://", "FTP://", "MAILTO://", "MMS://" (any case) and runs to
// the next space or the end; the text after a link takes the default format.
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::compose {

enum class SegmentKind {
  Text,           // before the first link: the format at the caret (or the one given)
  Link,           // prefix up to the next space
  TextAfterLink,  // from the space after a link: the control's default format
};

struct TextSegment {
  SegmentKind kind;
  std::string text;  // code page 949 bytes, never empty

  bool operator==(const TextSegment&) const = default;
};

std::vector<TextSegment> SegmentLinks(std::string_view text);

}  // namespace orvinta::compose
