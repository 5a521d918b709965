#include "server/history_page.h"

namespace orvinta::server {

void FinishPage(HistoryPage& page, const HistoryQuery& query) {
  auto& lines = page.lines;
  page.ended = lines.size() < query.count;
  std::size_t bytes = 0;
  std::size_t kept = 0;
  const bool fromFront = query.mode == HistoryMode::kAfter;
  for (; kept < lines.size(); ++kept) {
    const std::size_t size = lines[fromFront ? kept : lines.size() - 1 - kept].body.size();
    if (kept > 0 && bytes + size > query.maxBytes) break;  // at least one line is given
    bytes += size;
  }
  page.cut = kept < lines.size();
  if (!page.cut) return;
  page.ended = false;
  if (fromFront) {
    lines.resize(kept);
  } else {
    lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kept));
  }
}

}  // namespace orvinta::server
