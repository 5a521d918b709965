#pragma once
// Every resource a peer can make the server hold has a ceiling here.
#include <cstddef>

#include "server/clock.h"

namespace orvinta::server {

struct ServerLimits {
  std::size_t maxConnections = 4096;
  std::size_t maxRooms = 10000;
  std::size_t roomCapacity = 50;
  std::size_t maxRoomsPerMember = 64;

  std::size_t maxIdBytes = 64;
  std::size_t maxNickBytes = 64;
  std::size_t maxRoomKeyBytes = 128;
  std::size_t maxNumberDigits = 9;  // icon and status numbers

  Millis pingInterval = 30'000;
  Millis loginTimeout = 10'000;
  // A connection that only asks about rooms (the web page control) never logs
  // in and cannot answer PING; it may stay an hour after its last question.
  Millis queryIdleTimeout = 3'600'000;
  Millis voteDuration = 15'000;

  // Per connection, enforced by the transport.
  std::size_t maxOutputBytes = 256 * 1024;
  std::size_t maxBadFrames = 8;
  std::size_t maxGarbageBytes = 4096;
};

}  // namespace orvinta::server
