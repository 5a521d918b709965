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

std::size_t TranscriptLines::AddInFront(std::vector<TranscriptLine> lines) {
  const std::size_t room = maxLines_ - std::min(maxLines_, lines_.size());
  const std::size_t kept = std::min(room, std::min<std::size_t>(lines.size(), first_));
  dropped_ += lines.size() - kept;
  for (std::size_t i = lines.size(); i-- > lines.size() - kept;) lines_.push_front(std::move(lines[i]));
  first_ -= kept;
  return kept;
}

void TranscriptLine::SetTime(std::string_view shown) {
  timeLength = static_cast<std::uint8_t>(std::min(shown.size(), time.size()));
  std::copy_n(shown.begin(), timeLength, time.begin());
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

TranscriptLine HistoryDividerLine() { return InfoLine("<BR>▷ 여기까지 지난 대화입니다 ◁<BR><BR>"); }

TranscriptLine UnavailableLinesLine(std::optional<std::uint64_t> unavailable) {
  const std::string count = unavailable ? " " + std::to_string(*unavailable) + "줄은" : " 일부는";
  return InfoLine("<BR><B>▷ 끊어져 있던 동안의 대화" + count + " 보여드릴 수 없습니다 ◁</B><BR><BR>");
}

}  // namespace orvinta::window
