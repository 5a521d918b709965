#pragma once
// The room log as the program runs it: files under the user's data folder,
// the local clock, timers of its own, and the window's transcripts to hear.
// Made once in main, after the window logic and the reading preferences, and
// kept until the window logic is gone: lines shown while it closes are logged.
#include <memory>

#include "client/window/reading_preferences.h"
#include "client/window/transcript_presenter.h"

namespace orvinta::log {

class RoomLogService {
 public:
  RoomLogService(window::TranscriptPresenter& transcript, const window::ReadingPreferences& preferences);
  ~RoomLogService();  // writes what waits
  RoomLogService(const RoomLogService&) = delete;
  RoomLogService& operator=(const RoomLogService&) = delete;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace orvinta::log
