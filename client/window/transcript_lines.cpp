#include "client/window/transcript_lines.h"

namespace orvinta::window {

void TranscriptLines::Add(TranscriptLine line) {
  if (lines_.size() >= kMaxLines) {
    lines_.pop_front();
    ++first_;
  }
  lines_.push_back(std::move(line));
}

namespace {

TranscriptLine Fixed(LineKind kind) {
  TranscriptLine line;
  line.kind = kind;
  return line;
}

}  // namespace

TranscriptLine BannerLine() { return Fixed(LineKind::Banner); }
TranscriptLine ClearedNoticeLine() { return Fixed(LineKind::ClearedNotice); }
TranscriptLine ClearedWarningLine() { return Fixed(LineKind::ClearedWarning); }

TranscriptLine InfoLine(std::string_view markup) {
  TranscriptLine line = Fixed(LineKind::Info);
  line.text = std::string(markup);
  return line;
}

}  // namespace orvinta::window
