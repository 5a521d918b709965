#pragma once
// Counters the server keeps for /metrics (Prometheus text format) and why it
// refused what it refused.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/history_port.h"
#include "server/rate_limits.h"

namespace orvinta::server {

enum class Refusal : std::size_t {
  kServerFull,
  kAddressCap,
  kQueryingCap,
  kBadLogin,
  kBadKey,
  kExpiredKey,
  kAlreadyConnected,
  kBadRoomKey,
  kPrivateRoom,
  kExpelled,
  kRoomFull,
  kRoomTable,
  kRoomsPerMember,
  kRoomsCreated,
  kLineTooLong,
  kFlood,
  kLoginRate,
  kCount
};
inline constexpr std::size_t kRefusalCount = static_cast<std::size_t>(Refusal::kCount);

std::string_view RefusalName(Refusal r);

struct ServerMetrics {
  std::uint64_t connectionsAccepted = 0;
  std::uint64_t logins = 0;
  std::uint64_t deliveries = 0;  // frames handed to the transport for a member
  std::uint64_t historyRequests = 0;  // history requests answered
  std::array<std::uint64_t, kRefusalCount> refusals{};
  std::array<std::uint64_t, kRateClassCount> framesDropped{};

  void Refused(Refusal r) { ++refusals[static_cast<std::size_t>(r)]; }
  void Dropped(RateClass c) { ++framesDropped[static_cast<std::size_t>(c)]; }
  std::uint64_t RefusedCount(Refusal r) const { return refusals[static_cast<std::size_t>(r)]; }
  std::uint64_t DroppedCount(RateClass c) const { return framesDropped[static_cast<std::size_t>(c)]; }
};

// Gauges read at the moment of the scrape.
struct MetricsGauges {
  std::size_t connections = 0;
  std::size_t loggedIn = 0;
  std::size_t rooms = 0;
  std::size_t queuedOutputBytes = 0;
  std::uint64_t peersDroppedSlow = 0;  // readers whose own output queue overflowed
  std::uint64_t peersDroppedBudget = 0;  // largest queues dropped for the global budget
  std::uint64_t sendCalls = 0;           // send() calls on chat sockets
  HistoryStats history;                  // all zero without history
};

std::string PrometheusText(const ServerMetrics& counters, const MetricsGauges& gauges);

}  // namespace orvinta::server
