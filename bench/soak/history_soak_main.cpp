// orvinta-history-soak: the real client in a room through a proxy that cuts
// its connection at random, while three members talk: afterwards its room log
// and its view of the room must each hold every line they said exactly once,
// in order per member.
//
//   orvinta-history-soak [--cuts 200] [--rate 50] [--seed 1] [--keep]
//
// Between cuts it waits for the client to be back in the room, then 0.2 to 3 s;
// one cut in 25 is a dead network of 3 to 6 s. Exit 0 only when nothing was
// lost, repeated or out of order.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#include "bench/soak/cutting_proxy.h"
#include "bench/soak/frame_watch.h"
#include "bench/soak/logged_client.h"
#include "bench/soak/room_talkers.h"
#include "protocol/wire_commands.h"
#include "tests/integration/server_process.h"

namespace {

using namespace orvinta;
using bench::FrameWatch;

struct Options {
  int cuts = 200;
  double rate = 50;
  unsigned seed = 1;
  bool keep = false;  // the scratch folder (the room log) stays
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--keep") {
      o.keep = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--cuts") o.cuts = std::stoi(value);
    else if (arg == "--rate") o.rate = std::stod(value);
    else if (arg == "--seed") o.seed = static_cast<unsigned>(std::stoul(value));
    else return false;
  }
  return o.cuts >= 0 && o.cuts <= 100000 && o.rate > 0 && o.rate <= 1000;
}

// Keeps the talkers talking and the client's output read while time passes.
struct Running {
  bench::RoomTalkers& talkers;
  void For(long long ms) const {
    const long long until = bench::MonotonicMs() + ms;
    while (bench::MonotonicMs() < until) {
      talkers.Pump(static_cast<int>(std::min(10LL, until - bench::MonotonicMs())));
      QCoreApplication::processEvents();
    }
  }
  // Until the client has entered the room on a connection taken after `connection`.
  bool UntilBackIn(const FrameWatch& watch, int connection, long long timeoutMs) const {
    const long long until = bench::MonotonicMs() + timeoutMs;
    while (watch.FromClient(wire::kChatIn).lastConnection <= connection) {
      if (bench::MonotonicMs() >= until) return false;
      For(10);
    }
    return true;
  }
};

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) line += (i ? " " : "") + std::string(argv[i]);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr, "usage: orvinta-history-soak [--cuts N] [--rate LINES_PER_S] [--seed S] [--keep]\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  const long long started = bench::MonotonicMs();
  QTemporaryDir scratch;
  scratch.setAutoRemove(!o.keep);

  // Talkers and the client come back often: their rates must not be what loses lines.
  integration::ServerProcess server(
      {"--http-port", "0", "--rate", "talk=1000/1000", "--rate", "login=1000/1000", "--rate", "room=100/100"});
  if (!server.started()) return std::fprintf(stderr, "orvinta-history-soak: the server did not start\n"), 1;
  FrameWatch watch;
  bench::CuttingProxy proxy("127.0.0.1", server.port(), watch.Tap());
  if (!proxy.Start()) return std::fprintf(stderr, "orvinta-history-soak: the proxy did not start\n"), 1;
  bench::RoomTalkers talkers(server.port(), "soak", 3);
  if (!talkers.Enter(10000)) return std::fprintf(stderr, "orvinta-history-soak: the talkers did not get in\n"), 1;

  const QString portal = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());
  bench::LoggedClient client(scratch.path(), proxy.Port(), portal, QStringLiteral("soak"), QStringLiteral("soaker"));
  Running running{talkers};
  if (!running.UntilBackIn(watch, 0, 60000)) return std::fprintf(stderr, "orvinta-history-soak: the client did not enter\n"), 1;
  running.For(1000);

  std::mt19937 random(o.seed);
  std::uniform_int_distribution<int> gapMs(200, 3000), deadMs(3000, 6000);
  talkers.SetRate(o.rate);
  int deadCuts = 0, notBack = 0;
  for (int cut = 1; cut <= o.cuts; ++cut) {
    running.For(gapMs(random));
    const int connection = watch.FromClient(wire::kChatIn).lastConnection;
    if (cut % 25 == 12) {
      ++deadCuts;
      proxy.GoDead(deadMs(random));
    } else {
      proxy.Cut();
    }
    running.For(50);
    while (proxy.Dead()) running.For(10);
    if (!running.UntilBackIn(watch, connection, 90000)) ++notBack;
    if (cut % 20 == 0) std::fprintf(stderr, "%d cuts, %lld lines said\n", cut, talkers.TotalSaid());
  }
  running.For(2000);
  talkers.SetRate(0);
  // The room log is written at least once a second; the last lines may still be on their way.
  const long long settleUntil = bench::MonotonicMs() + 30000;
  bench::LineTally logged;
  do {
    running.For(1000);
    logged = talkers.Tally(client.LoggedLines());
  } while (logged.lost > 0 && bench::MonotonicMs() < settleUntil);
  const bench::LineTally shown = talkers.Tally(client.ShownLines());

  std::printf("lines said:         %lld (%d talkers at %.0f lines/s)\n", talkers.TotalSaid(), talkers.Count(), o.rate);
  std::printf("                    %10s %10s\n", "room log", "view");
  const auto row = [&](const char* what, long long bench::LineTally::*field) {
    std::printf("%-19s %10lld %10lld\n", what, logged.*field, shown.*field);
  };
  row("lines shown:", &bench::LineTally::shown);
  row("lines lost:", &bench::LineTally::lost);
  row("lines duplicated:", &bench::LineTally::duplicated);
  row("lines out of order:", &bench::LineTally::outOfOrder);
  std::printf("cuts made:          %d (%d of them a dead network)\n", proxy.CutsMade(), deadCuts);
  std::printf("client connections: %d (history asked on %d; not back within 90 s: %d)\n", proxy.ConnectionsTaken(),
              watch.FromClient(wire::kHistoryHello).count, notBack);
  if (!talkers.AllOpen()) std::printf("a talker's connection ended: lines after it were not said\n");
  std::printf("run time:           %.1f s\n", static_cast<double>(bench::MonotonicMs() - started) / 1000.0);
  std::printf("command:            %s\n", CommandLine(argc, argv).c_str());
  if (o.keep) std::printf("room log under:     %s/data\n", scratch.path().toUtf8().constData());
  return logged.Clean() && shown.Clean() && talkers.AllOpen() ? 0 : 1;
}
