#pragma once
// Where the failures caught at the event-loop entries are written besides
// standard error (debug builds): the traffic log of the "Chat Monitor".
#include "platform/traffic_log.h"

namespace orvinta::protocol {

inline constexpr std::uint32_t kFailureColour = 0x0000FF;

// From now on caught failures are also added to `log` as "!!! " lines; nullptr
// stops that. Call it with nullptr before the log goes away.
void LogFailuresTo(platform::TrafficLog* log);

}  // namespace orvinta::protocol
