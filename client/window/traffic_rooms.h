#pragma once
// Which room tabs traffic may open. A line for a room that is not open opens
// its tab, but not for a room the user has just left (lines still in flight
// would bring it back as an empty ghost), and only up to a few tabs that the
// user did not open: a hostile server cannot fill the window with rooms.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <string_view>

namespace orvinta::window {

class TrafficRooms {
 public:
  // How long a room stays "just left": ample for lines already on the way.
  static constexpr std::int64_t kLeftMemoryMs = 60000;
  // Rooms remembered as left; the oldest is forgotten first.
  static constexpr std::size_t kMaxLeftRemembered = 64;
  // Tabs opened by traffic rather than by the user, open at one time.
  static constexpr std::size_t kMaxTrafficTabs = 8;

  // The user enters the room: it is the user's, whatever came before.
  void NoteUserEntered(std::string_view channelName);
  // The room's tab closed (the user left, or was taken out).
  void NoteClosed(std::string_view channelName, std::int64_t nowMs);
  // Whether a line may open the room's tab now.
  bool MayOpenForTraffic(std::string_view channelName, std::int64_t nowMs) const;
  void NoteOpenedByTraffic(std::string_view channelName);
  std::size_t TrafficTabs() const { return trafficOpened_.size(); }

 private:
  struct Left {
    std::string key;
    std::int64_t atMs;
  };
  static std::string KeyOf(std::string_view channelName);
  void ForgetLeft(const std::string& key);

  std::deque<Left> left_;  // oldest first
  std::set<std::string> trafficOpened_;
};

}  // namespace orvinta::window
