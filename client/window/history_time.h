#pragma once
// When a line from a room's history was said, as the transcript shows it: the
// time of day when it was said on the day it is shown, else the date too.
// Local time; fixed when the line is shown.
#include <cstdint>
#include <ctime>
#include <string>

namespace orvinta::window {

// "HH:MM", or "MM/DD HH:MM" when `said` is not on `now`'s day.
std::string HistoryTime(const std::tm& said, const std::tm& now);
// The same for milliseconds since 1970 (UTC), read in the local time zone.
std::string HistoryTime(std::int64_t timeMs, const std::tm& now);

}  // namespace orvinta::window
