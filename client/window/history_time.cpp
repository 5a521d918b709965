#include "client/window/history_time.h"

#include <cstdio>

namespace orvinta::window {

std::string HistoryTime(const std::tm& said, const std::tm& now) {
  char text[24];
  const bool today = said.tm_year == now.tm_year && said.tm_mon == now.tm_mon && said.tm_mday == now.tm_mday;
  if (today) std::snprintf(text, sizeof text, "%02d:%02d", said.tm_hour, said.tm_min);
  else std::snprintf(text, sizeof text, "%02d/%02d %02d:%02d", said.tm_mon + 1, said.tm_mday, said.tm_hour, said.tm_min);
  return text;
}

std::string HistoryTime(std::int64_t timeMs, const std::tm& now) {
  const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
  std::tm said{};
  if (!localtime_r(&seconds, &said)) return {};
  return HistoryTime(said, now);
}

}  // namespace orvinta::window
