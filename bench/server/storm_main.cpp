// orvinta-server-storm: one id reconnecting as fast as it can, each time
// entering a room and sending lines as fast as it can, while a reader in the
// room counts what reaches it. With the server's default limits the room gets
// no more than one connection's talk allowance (bursts of 20, then 4 a second).
//
//   orvinta-server-storm --server build/server/orvinta-server [--seconds 5] [--lines 30] [-- SERVER OPTIONS]
//
// Options after "--" go to the server (say --rate login=1000/1000, so that the
// login limit lets every reconnect through and only the id's buckets hold).
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/server/load_connection.h"
#include "protocol/wire_commands.h"

using orvinta::bench::LoadConnection;
using orvinta::protocol::Frame;
namespace wire = orvinta::wire;
using Clock = std::chrono::steady_clock;

namespace {

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

// Flushes and reads the connection until done() or the time is up.
bool Pump(LoadConnection& c, const LoadConnection::OnFrame& onFrame, const std::function<bool()>& done, int ms) {
  const auto start = Clock::now();
  while (!done() && c.Open() && MsSince(start) < ms) {
    c.Flush();
    pollfd p{c.Fd(), POLLIN, 0};
    if (poll(&p, 1, 1) > 0) c.Read(onFrame);
  }
  return done();
}

}  // namespace

int main(int argc, char** argv) {
  std::string server;
  int seconds = 5;
  int lines = 30;
  std::vector<const char*> serverArgs;
  int i = 1;
  for (; i + 1 < argc && std::string(argv[i]) != "--"; i += 2) {
    const std::string name = argv[i];
    if (name == "--server") server = argv[i + 1];
    else if (name == "--seconds") seconds = std::atoi(argv[i + 1]);
    else if (name == "--lines") lines = std::atoi(argv[i + 1]);
  }
  serverArgs = {server.c_str(), "--port", "0", "--quiet"};
  for (++i; i < argc; ++i) serverArgs.push_back(argv[i]);
  serverArgs.push_back(nullptr);
  if (server.empty()) {
    std::fprintf(stderr, "usage: orvinta-server-storm --server PATH [--seconds 5] [--lines 30] [-- SERVER OPTIONS]\n");
    return 2;
  }
  signal(SIGPIPE, SIG_IGN);
  int out[2];
  if (pipe(out) != 0) return 1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    execv(server.c_str(), const_cast<char* const*>(serverArgs.data()));
    _exit(127);
  }
  close(out[1]);
  std::string first;
  for (char ch; read(out[0], &ch, 1) == 1 && ch != '\n';) first.push_back(ch);
  const int port = std::atoi(first.c_str() + first.rfind(':') + 1);

  long heard = 0;
  LoadConnection reader(0, port);
  const auto onReader = [&](LoadConnection&, const Frame& f) { heard += f.command == wire::kToAll; };
  reader.Send(wire::kUser, "reader/key/reader/1");
  reader.Send(wire::kChatIn, "reader/storm");
  Pump(reader, onReader, [] { return false; }, 200);

  int reconnects = 0, refused = 0;
  const auto start = Clock::now();
  while (MsSince(start) < seconds * 1000.0) {
    LoadConnection flooder(1, port);
    bool answered = false;
    const auto onFlooder = [&](LoadConnection&, const Frame& f) {
      if (f.command == wire::kSystem) ++refused, answered = true;
      if (f.command == wire::kUserInfoToOne) answered = true;
    };
    flooder.Send(wire::kUser, "flooder/key/flooder/1");
    flooder.Send(wire::kChatIn, "flooder/storm");
    for (int i = 0; i < lines; ++i) flooder.Send(wire::kToAll, "flooder/storm/line");
    flooder.Send(wire::kAskUserInfo, "flooder/storm");  // answered once the lines are handled
    Pump(flooder, onFlooder, [&] { return answered; }, 2000);
    ++reconnects;
    Pump(reader, onReader, [] { return false; }, 0);
  }
  Pump(reader, onReader, [] { return false; }, 500);
  std::fflush(stderr);
  std::printf("storm: %d reconnects of one id in %d s (%d refused), %d lines each: %ld lines reached the room\n",
              reconnects, seconds, refused, lines, heard);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return 0;
}
