#include "server/connection_slots.h"

namespace orvinta::server {

ConnectionId ConnectionSlots::Add(std::unique_ptr<ClientConnection> connection) {
  std::size_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    // Slot 0 stays empty, so no id is 0 (the core's "nobody") and the first
    // connections are #1, #2, ... in the log.
    if (slots_.empty()) slots_.emplace_back();
    index = slots_.size();
    slots_.emplace_back();
  }
  Slot& slot = slots_[index];
  slot.connection = std::move(connection);
  ++size_;
  return IdOf(index);
}

ClientConnection* ConnectionSlots::Find(ConnectionId id) const {
  const std::size_t index = static_cast<std::uint32_t>(id);
  if (index >= slots_.size()) return nullptr;
  const Slot& slot = slots_[index];
  return slot.generation == static_cast<std::uint32_t>(id >> 32) ? slot.connection.get() : nullptr;
}

std::unique_ptr<ClientConnection> ConnectionSlots::Remove(ConnectionId id) {
  if (Find(id) == nullptr) return nullptr;
  const auto index = static_cast<std::uint32_t>(id);
  Slot& slot = slots_[index];
  ++slot.generation;  // the old id no longer finds the slot once it is reused
  --size_;
  free_.push_back(index);
  return std::move(slot.connection);
}

}  // namespace orvinta::server
