#pragma once
// The transport's connections by id, found without hashing: an id is a slot
// index with the slot's generation above it (the count of its earlier
// occupants), so a frame for a connection that has gone finds nothing.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "server/client_connection.h"
#include "server/outbox.h"

namespace orvinta::server {

class ConnectionSlots {
 public:
  ConnectionId Add(std::unique_ptr<ClientConnection> connection);
  ClientConnection* Find(ConnectionId id) const;
  std::unique_ptr<ClientConnection> Remove(ConnectionId id);
  std::size_t Size() const { return size_; }

  template <typename Visit>
  void ForEach(Visit visit) const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i].connection) visit(IdOf(i), *slots_[i].connection);
    }
  }

 private:
  struct Slot {
    std::unique_ptr<ClientConnection> connection;
    std::uint32_t generation = 0;
  };

  ConnectionId IdOf(std::size_t index) const {
    return (static_cast<ConnectionId>(slots_[index].generation) << 32) | index;
  }

  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_;
  std::size_t size_ = 0;
};

}  // namespace orvinta::server
