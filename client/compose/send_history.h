#pragma once
// The lines the user sent in one room, at most 100, with the recall cursor.
#include <cstdint>
#include <string>
#include <vector>

namespace orvinta::compose {

class SendHistory {
 public:
  static constexpr std::size_t kCapacity = 100;

  // Drops the oldest line when the history is full; the cursor then points past the newest.
  void Add(std::string line);

  const std::vector<std::string>& Lines() const { return lines_; }
  std::uint16_t Cursor() const { return cursor_; }

 private:
  std::vector<std::string> lines_;
  std::uint16_t cursor_ = 0;
};

}  // namespace orvinta::compose
