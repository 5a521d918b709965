#include "client/log/room_log_service.h"

#include <QPointer>
#include <QTimer>
#include <list>

#include "client/log/posix_log_files.h"
#include "client/log/room_log.h"
#include "client/log/room_log_text.h"
#include "platform/qt/qt_timers.h"
#include "protocol/guarded.h"

namespace orvinta::log {
namespace {

// The transcript keeps its listeners to its end, which may come after this
// service's: it holds a relay that outlives both and goes quiet with the service.
class Relay final : public window::LineListener {
 public:
  void OnLineShown(const window::ShownLine& line) override {
    if (log) log->OnLineShown(line);
  }
  RoomLog* log = nullptr;
};

Relay& NewRelay() {
  static std::list<Relay> relays;
  return relays.emplace_back();
}

}  // namespace

struct RoomLogService::Parts {
  Parts(window::TranscriptPresenter& transcript, const window::ReadingPreferences& preferences)
      : log(RoomLogFolder(), preferences, {files, clock, timers},
            [this, &transcript](const std::string& channel, const std::string& path) {
              ReportFailure("the room log", "cannot write " + path);
              // Told in the room after the line being shown has gone through.
              QTimer::singleShot(0, &timers, [&transcript, channel] {
                Guarded("the room log's notice", [&] {
                  transcript.AddInfoLineHtml(channel, WriteFailedNotice());
                });
              });
            }) {}

  PosixLogFiles files;
  SystemWallClock clock;
  platform::qt::QtTimers timers;
  RoomLog log;
  Relay* relay = nullptr;
};

RoomLogService::RoomLogService(window::TranscriptPresenter& transcript, const window::ReadingPreferences& preferences)
    : parts_(std::make_unique<Parts>(transcript, preferences)) {
  parts_->relay = &NewRelay();
  parts_->relay->log = &parts_->log;
  transcript.AddListener(*parts_->relay);
}

RoomLogService::~RoomLogService() { parts_->relay->log = nullptr; }

}  // namespace orvinta::log
