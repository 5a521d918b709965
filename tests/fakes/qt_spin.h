#pragma once
// Runs Qt's event loop until a condition holds or the time is up: tests of
// real pages and sockets wait for answers that arrive asynchronously.
#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace orvinta {

inline bool Spin(const std::function<bool()>& done, int timeoutMs = 30000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace orvinta
