#include "client/log/room_log.h"

#include <ctime>

#include "client/log/room_log_text.h"
#include "protocol/guarded.h"

namespace orvinta::log {

RoomLog::RoomLog(std::string folder, const window::ReadingPreferences& preferences, RoomLogPorts ports,
                 FailureReport report)
    : folder_(std::move(folder)), preferences_(preferences), ports_(ports), report_(std::move(report)) {
  ports_.timers.SetHandler([this](int id) {
    if (id == kFlushTimer) Guarded("writing the room log", [&] { Flush(); });
  });
}

RoomLog::~RoomLog() {
  Guarded("writing the room log", [&] { Flush(); });
  ports_.timers.Kill(kFlushTimer);
  ports_.timers.SetHandler(nullptr);
}

namespace {

// A line shown late is logged at the time it was said, as the view shows it.
std::tm SaidAt(const window::ShownLine& line, const std::tm& now) {
  const std::time_t seconds = static_cast<std::time_t>(line.saidAtMs / 1000);
  std::tm said{};
  return line.saidAtMs > 0 && localtime_r(&seconds, &said) ? said : now;
}

}  // namespace

void RoomLog::OnLineShown(const window::ShownLine& line) {
  if (!preferences_.roomLog || line.room.empty() || refused_) return;
  // The chat goes on whatever the log meets.
  Guarded("the room log", [&] {
    const std::tm said = SaidAt(line, ports_.clock.Now());
    const std::string channel(line.room);
    Room& room = rooms_[channel];
    const std::string path = folder_.empty() ? "" : folder_ + "/" + RoomFolderName(channel) + "/" + DayFileName(said);
    // Past midnight the day's file changes: what waits belongs to the day before.
    if (path != room.path && !room.buffered.empty()) Write(channel, room);
    room.path = path;
    room.buffered += LogLine(line, said);

    const std::int64_t at = ports_.timers.NowMs();
    if (oldestBufferedAt_ < 0) {
      oldestBufferedAt_ = at;
      ports_.timers.Set(kFlushTimer, kFlushMs);
    }
    // A burst that keeps the timer from running is written as it goes.
    if (at - oldestBufferedAt_ >= kFlushMs || room.buffered.size() >= kMaxBuffered) Flush();
  });
}

void RoomLog::Flush() {
  for (auto& [channel, room] : rooms_) {
    if (!room.buffered.empty()) Write(channel, room);
  }
  oldestBufferedAt_ = -1;
  ports_.timers.Kill(kFlushTimer);
}

void RoomLog::Write(const std::string& channel, Room& room) {
  const LogWrite result = room.path.empty() ? LogWrite::Failed : ports_.files.Append(room.path, room.buffered);
  // Lines that cannot be written are dropped: the buffer stays bounded.
  room.buffered.clear();
  if (result == LogWrite::Written) {
    room.failing = false;
  } else if (result == LogWrite::Refused) {
    if (!refused_ && report_) report_(channel, room.path, result);
    refused_ = true;
    for (auto& [name, other] : rooms_) other.buffered.clear();
  } else if (!room.failing) {
    room.failing = true;
    if (report_) report_(channel, room.path, result);
  }
}

}  // namespace orvinta::log
