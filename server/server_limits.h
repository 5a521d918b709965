#pragma once
// Every resource a peer can make the server hold has a ceiling here.
#include <cstddef>

#include "server/clock.h"
#include "server/rate_limits.h"

namespace orvinta::server {

struct ServerLimits {
  std::size_t maxConnections = 4096;
  std::size_t maxRooms = 10000;
  std::size_t roomCapacity = 50;
  std::size_t maxRoomsPerMember = 64;   // rooms one member is in
  std::size_t maxRoomsCreatedPerMember = 8;  // rooms one member opened that still exist

  // Per peer address; loopback addresses only when capLoopback is set.
  std::size_t maxConnectionsPerAddress = 32;
  std::size_t maxQueryingPerAddress = 4;
  bool capLoopback = false;

  std::size_t maxIdBytes = 64;
  std::size_t maxNickBytes = 64;
  std::size_t maxRoomKeyBytes = 128;
  std::size_t maxNumberDigits = 9;  // icon and status numbers
  // A client builds its bodies in 1000 bytes, so no real chat line is longer.
  std::size_t maxTalkBodyBytes = 999;

  Millis pingInterval = 30'000;
  // A connection that neither logs in nor asks about rooms by then is closed.
  // One that asks (the web page control) never logs in, does not answer PING
  // and may stay quiet for as long as its page shows no rooms: it has no
  // deadline. The kernel's keep-alive finds it gone (kKeepAlive in the
  // transport), and each address holds only so many of them.
  Millis loginTimeout = 10'000;
  Millis voteDuration = 15'000;
  // An expelled member may not come back to the room for this long.
  Millis expulsionBar = 600'000;
  std::size_t maxExpulsionsRemembered = 10'000;

  RateRules rates;
  // Ids and addresses whose buckets are kept after their connections end.
  std::size_t maxRateEntries = 65536;

  // Per connection, enforced by the transport.
  std::size_t maxOutputBytes = 256 * 1024;
  std::size_t maxBadFrames = 8;
  std::size_t maxGarbageBytes = 4096;
  // All connections together; past it the largest queues are dropped first.
  std::size_t outputBudgetBytes = 256 * 1024 * 1024;
  // Under load a member's output gathers this long (or until 4 KiB) before
  // its send(); 0 sends at once always. Quiet servers always send at once.
  Millis flushDelay = 10;

  // What a history-aware client is told is kept (the store holds the bounds),
  // and how large one answer to it may grow.
  std::size_t historyLines = 1000;
  std::size_t historyDays = 7;
  std::size_t historyAnswerBytes = 64 * 1024;
};

}  // namespace orvinta::server
