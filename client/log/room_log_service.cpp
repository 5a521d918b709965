#include "client/log/room_log_service.h"

#include <QTimer>

#include "client/log/posix_log_files.h"
#include "client/log/room_log.h"
#include "client/log/room_log_text.h"
#include "platform/qt/qt_timers.h"
#include "protocol/guarded.h"

namespace orvinta::log {

struct RoomLogService::Parts {
  Parts(window::TranscriptPresenter& transcript, const window::ReadingPreferences& preferences)
      : log(RoomLogFolder(files.Base()), preferences, {files, clock, timers},
            [this, &transcript](const std::string& channel, const std::string& path, LogWrite why) {
              const bool refused = why == LogWrite::Refused;
              ReportFailure("the room log", (refused ? "refused " : "cannot write ") + path);
              // Told in the room after the line being shown has gone through.
              QTimer::singleShot(0, &timers, [&transcript, channel, refused] {
                Guarded("the room log's notice", [&] {
                  transcript.AddInfoLineHtml(channel, refused ? RefusedNotice() : WriteFailedNotice());
                });
              });
            }) {}

  PosixLogFiles files{DataFolder()};
  platform::SystemLocalClock clock;
  platform::qt::QtTimers timers;
  RoomLog log;
};

RoomLogService::RoomLogService(window::TranscriptPresenter& transcript, const window::ReadingPreferences& preferences)
    : parts_(std::make_unique<Parts>(transcript, preferences)) {
  transcript.AddListener(parts_->log);
}

RoomLogService::~RoomLogService() = default;

}  // namespace orvinta::log
