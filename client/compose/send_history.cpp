#include "client/compose/send_history.h"

namespace orvinta::compose {

void SendHistory::Add(std::string line) {
  if (lines_.size() >= kCapacity) lines_.erase(lines_.begin());
  lines_.push_back(std::move(line));
  cursor_ = static_cast<std::uint16_t>(lines_.size());
}

}  // namespace orvinta::compose
