#pragma once
// CPU time and memory of a running process, read from /proc, for the load
// generators that measure a server they started.
#include <sched.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace orvinta::bench {

// User and system CPU time of a process, in milliseconds.
inline double CpuMs(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::atof(field.c_str());
  }
  return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Puts a measured server on the last processor and this program on the others
// (with two or more). Sharing one, the generator's own work (its TLS above
// all) would preempt the server and evict its caches, and the server's CPU
// time and its gathering of lines would follow the generator's load.
inline void PinApart(pid_t server) {
  const long cpus = sysconf(_SC_NPROCESSORS_ONLN);
  if (cpus < 2 || cpus > CPU_SETSIZE) return;
  cpu_set_t its, mine;
  CPU_ZERO(&its);
  CPU_ZERO(&mine);
  CPU_SET(static_cast<int>(cpus - 1), &its);
  for (int i = 0; i < cpus - 1; ++i) CPU_SET(i, &mine);
  if (sched_setaffinity(server, sizeof its, &its) == 0) sched_setaffinity(0, sizeof mine, &mine);
}

// Resident memory of a process, in KiB (VmRSS).
inline long RssKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::atol(line.c_str() + 6);
  }
  return 0;
}

// Before many connections: the descriptor limit as high as this process may set it.
inline void RaiseDescriptorLimit(rlim_t wanted = 65536) {
  rlimit limit{};
  getrlimit(RLIMIT_NOFILE, &limit);
  if (limit.rlim_max < wanted) {
    const rlimit raised{wanted, wanted};
    if (setrlimit(RLIMIT_NOFILE, &raised) == 0) return;  // as root
  }
  limit.rlim_cur = limit.rlim_max;
  setrlimit(RLIMIT_NOFILE, &limit);
}

// Memory a server holds per idle connection: its resident growth over the
// connections, printed in the same words by both load generators.
inline void ReportIdleMemory(const char* who, long beforeKiB, long afterKiB, int connections) {
  std::printf("%s: idle memory %d connections, RSS %ld KiB before, %ld KiB after, %.2f KiB per connection\n", who,
              connections, beforeKiB, afterKiB,
              static_cast<double>(afterKiB - beforeKiB) / static_cast<double>(connections));
  std::fflush(stdout);
}

}  // namespace orvinta::bench
