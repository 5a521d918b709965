#include "client/window/traffic_rooms.h"

#include <algorithm>

#include "text/text_util.h"

namespace orvinta::window {

// Channel names are matched as the channel list matches them: trimmed of
// spaces, without regard to case.
std::string TrafficRooms::KeyOf(std::string_view channelName) { return text::ToLower(text::Trim(channelName, " ")); }

void TrafficRooms::ForgetLeft(const std::string& key) {
  left_.erase(std::remove_if(left_.begin(), left_.end(), [&](const Left& each) { return each.key == key; }),
              left_.end());
}

void TrafficRooms::NoteUserEntered(std::string_view channelName) {
  const std::string key = KeyOf(channelName);
  ForgetLeft(key);
  trafficOpened_.erase(key);
}

void TrafficRooms::NoteClosed(std::string_view channelName, std::int64_t nowMs) {
  std::string key = KeyOf(channelName);
  trafficOpened_.erase(key);
  ForgetLeft(key);
  if (left_.size() >= kMaxLeftRemembered) left_.pop_front();
  left_.push_back({std::move(key), nowMs});
}

bool TrafficRooms::MayOpenForTraffic(std::string_view channelName, std::int64_t nowMs) const {
  if (trafficOpened_.size() >= kMaxTrafficTabs) return false;
  const std::string key = KeyOf(channelName);
  return std::none_of(left_.begin(), left_.end(),
                      [&](const Left& each) { return each.key == key && nowMs - each.atMs < kLeftMemoryMs; });
}

void TrafficRooms::NoteOpenedByTraffic(std::string_view channelName) { trafficOpened_.insert(KeyOf(channelName)); }

}  // namespace orvinta::window
