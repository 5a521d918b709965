#include "client/window/transcript_lines.h"

namespace orvinta::window {

void TranscriptLines::Add(TranscriptLine line) {
  if (lines_.size() >= maxLines_) {
    lines_.pop_front();
    ++first_;
    ++dropped_;
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

TranscriptLine DroppedNoticeLine(std::uint64_t dropped) {
  return InfoLine("▷ 이전 대화 " + std::to_string(dropped) + "줄은 보관 한도를 넘어 지워졌습니다 ◁");
}

}  // namespace orvinta::window
