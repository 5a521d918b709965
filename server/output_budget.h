#pragma once
// The global budget for output queued to all connections together: when the
// total passes it, the connections with the largest queues are dropped first,
// as few as bring the total back within the budget.
#include <cstddef>
#include <vector>

#include "server/outbox.h"

namespace orvinta::server {

struct QueuedOutput {
  ConnectionId connection = 0;
  std::size_t bytes = 0;
};

std::vector<ConnectionId> ConnectionsOverBudget(std::vector<QueuedOutput> queues, std::size_t budget);

}  // namespace orvinta::server
