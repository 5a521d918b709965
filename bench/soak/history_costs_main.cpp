// orvinta-client-history-costs: what a room's history costs the real client,
// each beside the same step without history (a server keeping none) in the
// same run:
//  - entering a room whose last 50 lines are kept, from the client's "CHIN" to
//    the last of them drawn (without history: to its own entry notice drawn);
//  - catching up 1,000 lines said while a dead network held it, from its login
//    on the new connection to the last of them drawn and its "back" notice
//    (without history: to the notice).
//
//   orvinta-client-history-costs [--rounds 5] [--missed 1000] [--entry 50]
//
// Times are read through the test port, which takes a few ms a look (printed).
#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/soak/cutting_proxy.h"
#include "bench/soak/frame_watch.h"
#include "bench/soak/logged_client.h"
#include "bench/soak/room_talkers.h"
#include "protocol/wire_commands.h"
#include "tests/integration/server_process.h"

namespace {

using namespace orvinta;
using bench::MonotonicMs;

struct Options {
  int rounds = 5;
  int missed = 1000;
  int entry = 50;
};

const QString kOwnEntry = QStringLiteral("costs님이 입장하셨습니다");
const QString kBackNotice = QStringLiteral("서버에 다시 연결되었습니다");

// One server (history kept or not), the client through a proxy, one talker.
class Setup {
 public:
  explicit Setup(bool history)
      : server_({"--http-port", "0", "--history-lines", history ? "5000" : "0", "--rate", "talk=100000/100000",
                 "--rate", "login=1000/1000", "--rate", "room=100/100"}),
        proxy_("127.0.0.1", server_.port(), watch_.Tap()) {}

  bool Start(const QString& room) {
    if (!server_.started() || !proxy_.Start()) return false;
    client_ = std::make_unique<bench::LoggedClient>(scratch_.path(), proxy_.Port(),
                                                    QStringLiteral("http://127.0.0.1:%1/").arg(server_.httpPort()),
                                                    room, QStringLiteral("costs"));
    return Until([&] { return watch_.FromClient(wire::kChatIn).count > 0; }, 60000) &&
           client_->WhenShown(room, {{kOwnEntry}}, 30000) > 0;
  }

  // A talker in `room` says `lines` there and leaves them to the server.
  std::unique_ptr<bench::RoomTalkers> Talk(const std::string& room, int lines) {
    auto talker = std::make_unique<bench::RoomTalkers>(server_.port(), room, 1);
    if (!talker->Enter(10000)) return nullptr;
    talker->SayNow(lines);
    talker->Pump(300);
    return talker;
  }

  bool Until(const std::function<bool()>& done, int timeoutMs) {
    const long long until = MonotonicMs() + timeoutMs;
    while (!done()) {
      if (MonotonicMs() > until) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
  }

  bench::FrameWatch& Watch() { return watch_; }
  bench::CuttingProxy& Proxy() { return proxy_; }
  bench::LoggedClient& Client() { return *client_; }

 private:
  QTemporaryDir scratch_;
  integration::ServerProcess server_;
  bench::FrameWatch watch_;
  bench::CuttingProxy proxy_;
  std::unique_ptr<bench::LoggedClient> client_;
};

// Milliseconds from the client's entry to `texts` drawn, for `rounds` rooms
// of `lines` lines each; -1 for a round that did not get there.
std::vector<long long> Entering(Setup& s, int rounds, int lines, bool history) {
  std::vector<long long> times;
  for (int round = 1; round <= rounds; ++round) {
    const QString room = QStringLiteral("enter%1").arg(round);
    const auto talker = s.Talk(room.toStdString(), lines);
    const int entries = s.Watch().FromClient(wire::kChatIn).count;
    if (!talker || !s.Client().HandOver(room) ||
        !s.Until([&] { return s.Watch().FromClient(wire::kChatIn).count > entries; }, 10000)) {
      times.push_back(-1);
      continue;
    }
    const long long entered = s.Watch().FromClient(wire::kChatIn).lastMs;
    std::vector<bench::LoggedClient::Shown> texts{{kOwnEntry}};
    if (history) texts.push_back({QString::fromStdString(bench::RoomTalkers::LineText(1, lines))});
    const long long drawn = s.Client().WhenShown(room, texts, 5000);
    times.push_back(drawn < 0 ? -1 : drawn - entered);
  }
  return times;
}

// Milliseconds from the client's login after a dead network to the missed
// lines (with history) and its "back" notice drawn.
std::vector<long long> CatchingUp(Setup& s, int rounds, int missed, bool history) {
  std::vector<long long> times;
  const auto talker = s.Talk("catchup", 0);
  if (!talker) return std::vector<long long>(static_cast<std::size_t>(rounds), -1);
  talker->Pump(500);
  for (int round = 1; round <= rounds; ++round) {
    const int logins = s.Watch().FromClient(wire::kUser).count;
    s.Proxy().GoDead(3000);
    talker->SayNow(missed);
    s.Until([&] { return talker->Pump(10), !s.Proxy().Dead(); }, 10000);
    if (!s.Until([&] { return talker->Pump(5), s.Watch().FromClient(wire::kUser).count > logins; }, 30000)) {
      times.push_back(-1);
      continue;
    }
    const long long back = s.Watch().FromClient(wire::kUser).lastMs;
    // The transcript holds the earlier rounds' notices too.
    std::vector<bench::LoggedClient::Shown> texts{{kBackNotice, round}};
    if (history) texts.push_back({QString::fromStdString(bench::RoomTalkers::LineText(1, talker->Said(1)))});
    const long long drawn = s.Client().WhenShown(QStringLiteral("catchup"), texts, 10000);
    times.push_back(drawn < 0 ? -1 : drawn - back);
    s.Until([&] { return talker->Pump(5), false; }, 1500);
  }
  return times;
}

std::string Summary(std::vector<long long> times) {
  const long long failed = std::count(times.begin(), times.end(), -1);
  std::erase(times, -1);
  if (times.empty()) return "not drawn in any round";
  std::sort(times.begin(), times.end());
  std::string text = "median " + std::to_string(times[times.size() / 2]) + " ms, min " +
                     std::to_string(times.front()) + ", max " + std::to_string(times.back());
  if (failed > 0) text += "; " + std::to_string(failed) + " round(s) never drawn";
  return text;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (arg == "--rounds") o.rounds = value;
    else if (arg == "--missed") o.missed = value;
    else if (arg == "--entry") o.entry = value;
    else return false;
  }
  return argc % 2 == 1 && o.rounds > 0 && o.rounds <= 100 && o.missed > 0 && o.missed <= 100000 && o.entry > 0 &&
         o.entry <= 200;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr, "usage: orvinta-client-history-costs [--rounds N] [--missed LINES] [--entry LINES]\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  for (const bool history : {false, true}) {
    Setup setup(history);
    if (!setup.Start(QStringLiteral("catchup"))) {
      std::fprintf(stderr, "orvinta-client-history-costs: the server, proxy or client did not start\n");
      return 1;
    }
    const long long before = MonotonicMs();
    setup.Client().WhenShown(QStringLiteral("catchup"), {{kOwnEntry}}, 1000);
    const long long look = MonotonicMs() - before;
    const char* what = history ? "history kept" : "no history  ";
    std::printf("%s  entering a room of %d lines: %s (a look takes %lld ms)\n", what, o.entry,
                Summary(Entering(setup, o.rounds, o.entry, history)).c_str(), look);
    std::printf("%s  catching up %d missed lines:  %s\n", what, o.missed,
                Summary(CatchingUp(setup, o.rounds, o.missed, history)).c_str());
    std::fflush(stdout);
  }
  std::printf("targets: entering with history at most 150 ms, catching up at most 1000 ms\n");
  return 0;
}
