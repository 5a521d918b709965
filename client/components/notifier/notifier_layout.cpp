#include "client/components/notifier/notifier_layout.h"

namespace orvinta::components {

std::vector<TextLine> LayOutLines(std::string_view text, const Rect& textArea) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (static_cast<int>(lines.size()) < kMaxShownLines) {
    const std::size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const int index = static_cast<int>(lines.size());
    lines.push_back({std::string(line), textArea.MovedDown(kLineSpacing * index)});
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace orvinta::components
