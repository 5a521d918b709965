#pragma once
// SIGINT, SIGTERM and SIGHUP as a readable descriptor (signalfd), so that a
// stop or reload request arrives through the event loop like everything else.
#include "server/unique_fd.h"

namespace orvinta::server {

class SignalWatch {
 public:
  // Blocks the signals for the process; call before any other thread exists.
  SignalWatch();
  bool Valid() const { return fd_.Valid(); }
  int Fd() const { return fd_.Get(); }
  // Reads the pending signal; its number, or 0.
  int Take();

 private:
  UniqueFd fd_;
};

}  // namespace orvinta::server
