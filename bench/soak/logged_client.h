#pragma once
// The real client (the test-port build) in one room, its room log on, its
// settings, data and runtime folders in a scratch folder of its own: every
// line it shows in the room ends up in a file read back here.
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "tests/integration/client_process.h"

namespace orvinta::bench {

class LoggedClient {
 public:
  // Logs in as `id` at 127.0.0.1:port and enters `room`; `portal` is the server's web side.
  LoggedClient(const QString& scratch, int port, const QString& portal, const QString& room, const QString& id);

  integration::ClientProcess& Process() { return *process_; }
  // Launches the client again for `room`: it hands the room to this one and ends.
  bool HandOver(const QString& room);
  // A text the transcript is to hold, at least that many times.
  struct Shown {
    QString text;
    int times = 1;
  };
  // When (CLOCK_MONOTONIC ms) the room's transcript first held every one of
  // `texts`, looking as often as the test port answers; -1 when not by the time.
  long long WhenShown(const QString& room, const std::vector<Shown>& texts, int timeoutMs);
  // The room log's text so far (every file of the room, oldest first).
  QString LogText() const;
  // The talkers' numbered lines in it, in the order logged.
  std::vector<std::pair<int, long long>> LoggedLines() const;
  // Those in the room's transcript now, in the order shown.
  std::vector<std::pair<int, long long>> ShownLines();
  // Where "back" notices and the numbered lines stand in the log: for each
  // notice, how many numbered lines came before it.
  std::vector<std::size_t> BackNoticesAfter() const;

 private:
  QString Launch(const QString& room) const;

  QString scratch_;
  QString portal_;
  int port_;
  QString id_;
  QString room_;  // the one it was launched into
  QString logFolder_;
  std::unique_ptr<integration::ClientProcess> process_;
};

}  // namespace orvinta::bench
