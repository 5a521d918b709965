#pragma once
// Finding text in every line of a room, as a find bar asks: case does not
// count (for the letters that have it), matches are counted over all lines,
// the newest is chosen first, and stepping wraps around.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "client/window/transcript_lines.h"

namespace orvinta::window {

struct TextMatch {
  std::uint64_t line = 0;  // the line's number (see TranscriptLines::FirstNumber)
  std::uint32_t offset = 0, length = 0;  // bytes of the line's display text
};

// Where `query` occurs in `text` (code page 949), case folded for ASCII,
// starting only on a character's first byte; matches do not overlap.
std::vector<std::size_t> FindInText(std::string_view text, std::string_view query);

class TranscriptSearch {
 public:
  // Bounded so a one-letter query in a long room costs a bounded memory.
  static constexpr std::size_t kMaxMatches = 1'000'000;

  // A new query over every line; the newest match becomes the current one.
  void Find(const TranscriptLines& lines, std::string_view query);
  // To the next match (step 1, forward in time) or the previous (-1), wrapping.
  void Step(int step);
  void Clear() { *this = {}; }

  // 1-based position of the current match, 0 when there is none.
  std::size_t Position() const { return matches_.empty() ? 0 : current_ + 1; }
  std::size_t Count() const { return matches_.size(); }
  const TextMatch* Current() const { return matches_.empty() ? nullptr : &matches_[current_]; }

 private:
  std::vector<TextMatch> matches_;
  std::size_t current_ = 0;
};

}  // namespace orvinta::window
