#include "server/output_budget.h"

#include <algorithm>

namespace orvinta::server {

std::vector<ConnectionId> ConnectionsOverBudget(std::vector<QueuedOutput> queues, std::size_t budget) {
  std::size_t total = 0;
  for (const QueuedOutput& q : queues) total += q.bytes;
  std::vector<ConnectionId> victims;
  if (total <= budget) return victims;
  std::sort(queues.begin(), queues.end(), [](const QueuedOutput& a, const QueuedOutput& b) {
    return a.bytes != b.bytes ? a.bytes > b.bytes : a.connection < b.connection;
  });
  for (const QueuedOutput& q : queues) {
    if (total <= budget) break;
    victims.push_back(q.connection);
    total -= q.bytes;
  }
  return victims;
}

}  // namespace orvinta::server
