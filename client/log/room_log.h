#pragma once
// The room log: while the user has it on, every line a room's transcript
// shows is appended to that room's file of the day, as UTF-8 text. Lines
// wait in a buffer that is written at least once a second and when the log
// goes, so a crash loses at most a second of it.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "client/log/room_log_ports.h"
#include "client/window/line_listener.h"
#include "client/window/reading_preferences.h"
#include "platform/local_clock.h"
#include "platform/timers.h"

namespace orvinta::log {

struct RoomLogPorts {
  LogFiles& files;
  platform::LocalClock& clock;
  platform::Timers& timers;  // the log's own: it takes their handler
};

class RoomLog final : public window::LineListener {
 public:
  static constexpr int kFlushTimer = 1;
  static constexpr int kFlushMs = 1000;
  // A room that talks faster than this in a second is written at once.
  static constexpr std::size_t kMaxBuffered = 64 * 1024;
  // Told once when a room's file cannot be written, and again only after it
  // was written since: the channel name and the file's path. A file or folder
  // refused as unsafe is told once, and the log writes nothing more.
  using FailureReport = std::function<void(const std::string& channel, const std::string& path, LogWrite why)>;

  // `folder` holds one folder per room; empty: nowhere to write (reported once per room).
  RoomLog(std::string folder, const window::ReadingPreferences& preferences, RoomLogPorts ports,
          FailureReport report);
  ~RoomLog() override;
  RoomLog(const RoomLog&) = delete;
  RoomLog& operator=(const RoomLog&) = delete;

  void OnLineShown(const window::ShownLine& line) override;
  // Writes what waits.
  void Flush();

 private:
  struct Room {
    std::string path;      // the file the buffered lines belong to
    std::string buffered;  // UTF-8 lines not written yet
    bool failing = false;  // reported, and not written since
  };
  void Write(const std::string& channel, Room& room);

  std::string folder_;
  const window::ReadingPreferences& preferences_;
  RoomLogPorts ports_;
  FailureReport report_;
  std::map<std::string, Room> rooms_;  // by channel name
  std::int64_t oldestBufferedAt_ = -1;  // the timers' clock; -1: nothing waits
  bool refused_ = false;
};

}  // namespace orvinta::log
