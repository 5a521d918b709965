#include "client/window/transcript_search.h"

#include "client/window/line_display.h"
#include "platform/cp949.h"

namespace orvinta::window {
namespace {

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) != 0xFF; }

// The query's bytes match at `at`; double-byte characters compare exactly.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view query) {
  for (std::size_t k = 0; k < query.size(); ++k) {
    if (Fold(text[at + k]) != Fold(query[k])) return false;
    if (IsLeadByte(query[k]) && k + 1 < query.size()) {
      ++k;
      if (text[at + k] != query[k]) return false;
    }
  }
  return true;
}

}  // namespace

std::vector<std::size_t> FindInText(std::string_view text, std::string_view query) {
  std::vector<std::size_t> found;
  if (query.empty() || query.size() > text.size()) return found;
  const char first = Fold(query[0]);
  for (std::size_t i = 0; i + query.size() <= text.size();) {
    if (Fold(text[i]) == first && MatchesAt(text, i, query)) {
      found.push_back(i);
      i += query.size();
      continue;
    }
    // A match starts on a character: never on a trail byte or inside a wide character's mark.
    const std::size_t mark = platform::WideMarkLength(text.substr(i));
    i += mark ? mark : IsLeadByte(text[i]) ? 2 : 1;
  }
  return found;
}

void TranscriptSearch::Find(const TranscriptLines& lines, std::string_view query) {
  Clear();
  if (query.empty()) return;
  std::string text;
  for (std::size_t i = 0; i < lines.size() && matches_.size() < kMaxMatches; ++i) {
    text.clear();
    AppendDisplayText(lines[i], text);
    for (const std::size_t at : FindInText(text, query)) {
      if (matches_.size() >= kMaxMatches) break;
      matches_.push_back({lines.FirstNumber() + i, static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(query.size())});
    }
  }
  current_ = matches_.empty() ? 0 : matches_.size() - 1;
}

void TranscriptSearch::Step(int step) {
  if (matches_.empty()) return;
  const std::size_t n = matches_.size();
  current_ = (current_ + n + static_cast<std::size_t>(step % static_cast<int>(n) + static_cast<int>(n))) % n;
}

}  // namespace orvinta::window
