#include "client/compose/link_segments.h"

#include <array>

#include "text/text_util.h"

namespace orvinta::compose {
namespace {

constexpr std::array<std::string_view, 4> kLinkPrefixes = {"HTTP://", "FTP://", "MAILTO://", "MMS://"};

std::size_t LinkPrefixAt(std::string_view rest) {
  for (std::string_view prefix : kLinkPrefixes) {
    if (text::StartsWithIgnoreCase(rest, prefix)) return prefix.size();
  }
  return 0;
}

class SegmentBuilder {
 public:
  void Append(std::string_view bytes) { buffer_.append(bytes); }

  // Ends the current segment and starts one of `next` kind.
  void Flush(SegmentKind next) {
    if (!buffer_.empty()) segments_.push_back({kind_, std::move(buffer_)});
    buffer_.clear();
    kind_ = next;
  }

  SegmentKind Kind() const { return kind_; }
  std::vector<TextSegment> Finish() {
    Flush(kind_);
    return std::move(segments_);
  }

 private:
  std::vector<TextSegment> segments_;
  std::string buffer_;
  SegmentKind kind_ = SegmentKind::Text;
};

}  // namespace

std::vector<TextSegment> SegmentLinks(std::string_view text) {
  SegmentBuilder builder;
  std::size_t i = 0;
  while (i < text.size()) {
    // A trail byte may look like an ASCII letter: step over whole characters
    // so that a prefix is never found inside a double-byte character.
    if (text::IsLeadByte(static_cast<unsigned char>(text[i]))) {
      const std::size_t width = i + 1 < text.size() ? 2 : 1;
      builder.Append(text.substr(i, width));
      i += width;
      continue;
    }
    if (const std::size_t prefix = LinkPrefixAt(text.substr(i)); prefix > 0) {
      builder.Flush(SegmentKind::Link);
      builder.Append(text.substr(i, prefix));
      i += prefix;
      continue;
    }
    if (text[i] == ' ' && builder.Kind() == SegmentKind::Link) builder.Flush(SegmentKind::TextAfterLink);
    builder.Append(text.substr(i, 1));
    ++i;
  }
  return builder.Finish();
}

}  // namespace orvinta::compose
