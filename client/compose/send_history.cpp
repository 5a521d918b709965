#include "client/compose/send_history.h"

namespace orvinta::compose {

void SendHistory::Add(std::string line) {
  if (lines_.size() >= kCapacity) lines_.erase(lines_.begin());
  lines_.push_back(std::move(line));
  cursor_ = static_cast<std::uint16_t>(lines_.size());
  typing_.clear();
}

std::optional<std::string> SendHistory::Older(std::string_view typing) {
  if (cursor_ == 0 || lines_.empty()) return std::nullopt;
  if (cursor_ >= lines_.size()) {
    typing_ = std::string(typing);
    cursor_ = static_cast<std::uint16_t>(lines_.size());
  }
  return lines_[--cursor_];
}

std::optional<std::string> SendHistory::Newer() {
  if (cursor_ >= lines_.size()) return std::nullopt;
  if (++cursor_ < lines_.size()) return lines_[cursor_];
  return std::move(typing_);
}

}  // namespace orvinta::compose
