#pragma once
// The lines the user sent in one room, at most 100, with the recall cursor:
// Up and Down in the input line walk back and forth through them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::compose {

class SendHistory {
 public:
  static constexpr std::size_t kCapacity = 100;

  // Drops the oldest line when the history is full; the cursor then points past the newest.
  void Add(std::string line);

  // The line before the cursor, which moves onto it; nullopt at the oldest.
  // Leaving the place past the newest line keeps `typing`, what the input
  // line held, to come back to.
  std::optional<std::string> Older(std::string_view typing);
  // The line after the cursor, or past the newest what was being typed;
  // nullopt when the cursor is past the newest already.
  std::optional<std::string> Newer();

  const std::vector<std::string>& Lines() const { return lines_; }
  std::uint16_t Cursor() const { return cursor_; }

 private:
  std::vector<std::string> lines_;
  std::uint16_t cursor_ = 0;
  std::string typing_;  // the unsent line, while the cursor is on a sent one
};

}  // namespace orvinta::compose
