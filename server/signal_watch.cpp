#include "server/signal_watch.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace orvinta::server {

SignalWatch::SignalWatch() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) return;
  fd_.Reset(signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
}

int SignalWatch::Take() {
  signalfd_siginfo info{};
  if (read(fd_.Get(), &info, sizeof info) != static_cast<ssize_t>(sizeof info)) return 0;
  return static_cast<int>(info.ssi_signo);
}

}  // namespace orvinta::server
