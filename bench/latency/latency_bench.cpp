// Chat line latency and receive throughput through the real server into a
// real client's transcript view.
//
// The receiving client is the program's own window logic with its real
// adapters (sockets, the native transcript view); the sender is a plain
// socket. A line counts as arrived when the view paints with it on screen.
//
//   latency_bench [lines]      (default 1000)
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "bench/bench_server.h"
#include "client/components/main_window.h"
#include "client/components/resource_scheme.h"
#include "client/components/deferred_web_view.h"
#include "client/components/transcript/qt_transcript_view.h"
#include "client/components/transcript/transcript_widget.h"
#include "client/window/orvinta_dlg.h"
#include "platform/cp949.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"
#include "protocol/codec.h"
#include "protocol/wire_commands.h"

namespace {

using namespace orvinta;

QElapsedTimer benchClock;
std::map<int, qint64> arrivedAt;  // line number -> ns on benchClock

// Forwards to a real transcript view and notes when a numbered line has been
// drawn: a paint of a view that follows the newest line draws every line
// handed to it before the paint. The time taken is the paint's start.
class TimingView final : public window::TranscriptView, public QObject {
 public:
  TimingView(std::unique_ptr<components::QtTranscriptView> inner, const window::TranscriptLines& lines)
      : inner_(std::move(inner)), lines_(lines) {
    inner_->Widget()->viewport()->installEventFilter(this);
  }
  void SetListener(window::TranscriptViewListener* l) override { inner_->SetListener(l); }
  void LinesAdded() override {
    inner_->LinesAdded();
    const std::string& text = lines_[lines_.size() - 1].text;
    const auto at = text.find("LAT#");
    if (at != std::string::npos) onTheirWay_.push_back(std::atoi(text.c_str() + at + 4));
  }
  void LinesAddedInFront() override { inner_->LinesAddedInFront(); }
  void JumpToNewest() override { inner_->JumpToNewest(); }
  void LinesCleared() override { inner_->LinesCleared(); }
  void Show(bool visible) override { inner_->Show(visible); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && inner_->Widget()->AtBottom()) {
      const qint64 now = benchClock.nsecsElapsed();
      for (const int n : onTheirWay_) arrivedAt.emplace(n, now);
      onTheirWay_.clear();
    }
    return false;
  }

 private:
  std::unique_ptr<components::QtTranscriptView> inner_;
  const window::TranscriptLines& lines_;
  std::deque<int> onTheirWay_;  // numbers handed to the view, not yet drawn
};

class TimingViewFactory final : public window::TranscriptViewFactory {
 public:
  explicit TimingViewFactory(components::MainWindow& window) : window_(window) {}
  std::unique_ptr<window::TranscriptView> Create(const window::TranscriptLines& lines) override {
    return std::make_unique<TimingView>(std::make_unique<components::QtTranscriptView>(lines, portal_, &window_),
                                        lines);
  }

 private:
  components::MainWindow& window_;
  window::PortalConfig portal_;
};

bool Spin(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

std::string Frame(std::string_view command, std::string_view body) {
  return protocol::EncodeMessage(protocol::MakeMessage(command, body));
}

std::string Line(int n) {
  return "|1F5FBF|10|" + platform::FromLocalText("굴림") + "|FFFFFF|1234|sender|" +
         platform::FromLocalText("지연 측정 줄 ") + "LAT#" + std::to_string(n) + "#";
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  components::LeanEngineProcesses();  // as the program does
  qputenv("ORVINTA_UNATTENDED", "1");
  components::RegisterResourceScheme();
  QApplication app(argc, argv);
  components::InstallResourceScheme();
  const int lines = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
  benchClock.start();

  QProcess server;
  // The bench offers up to 10,000 lines a second from one member: lift the
  // server's per-member talk and flood limits for it.
  const auto listening =
      bench::StartBenchServer(server, {"--rate", "talk=100000/100000", "--rate", "flood=100000/100000"});
  if (!listening) return std::fprintf(stderr, "the server did not start\n"), 1;
  const QString address = *listening;

  LaunchSettings settings;
  settings.AutoEnter = true;
  settings.ServerAddress = address.toStdString();
  settings.UserId = "receiver";
  settings.Nick = "receiver";
  settings.IconNo = "1001";
  settings.RoomKey = "bench";
  settings.RoomTitle = "bench";
  components::MainWindow widgets;
  platform::qt::QtTimers timers;
  platform::qt::QtMessageBoxes boxes;
  platform::qt::QtSound sound;
  platform::qt::QtShell shell;
  platform::qt::QtTransportFactory transports;
  components::DeferredWebViewFactory views;
  TimingViewFactory transcripts(widgets);
  window::COrvintaDlg dlg(settings, window::WindowPorts{.host = widgets, .views = views, .timers = timers, .boxes = boxes,
                                                        .sound = sound, .shell = shell, .transports = transports,
                                                        .transcriptViews = &transcripts});
  dlg.OnInitDialog();
  widgets.show();
  dlg.OnBnClickedButConnect();  // not connected yet: it connects
  if (!Spin([&] { return dlg.Channels().FindByName("#bench") != nullptr; }, 10000)) return 1;
  components::LetTheBrowserEngineIn();  // the portal's pages load, as in the program
  Spin([] { return false; }, 3000);

  QTcpSocket sender;
  sender.connectToHost(address.section(':', 0, 0), address.section(':', 1).toUShort());
  sender.waitForConnected(5000);
  sender.write(QByteArray::fromStdString(Frame(wire::kUser, "sender/s/sender/1234")));
  sender.write(QByteArray::fromStdString(Frame(wire::kChatIn, "sender/bench")));
  sender.flush();
  Spin([] { return false; }, 500);
  QObject::connect(&sender, &QTcpSocket::readyRead, [&] { sender.readAll(); });

  // One line at a time: the time from the send to the view.
  std::vector<double> latencies;
  for (int n = 0; n < lines; ++n) {
    const qint64 sent = benchClock.nsecsElapsed();
    sender.write(QByteArray::fromStdString(Frame(wire::kToAll, "sender/bench/" + Line(n))));
    sender.flush();
    if (!Spin([&] { return arrivedAt.count(n) > 0; }, 5000)) return std::fprintf(stderr, "line %d lost\n", n), 1;
    latencies.push_back((arrivedAt[n] - sent) / 1e6);
  }
  std::printf("latency over %d lines: median %.2f ms, p99 %.2f ms, max %.2f ms\n", lines, Percentile(latencies, 0.5),
              Percentile(latencies, 0.99), *std::max_element(latencies.begin(), latencies.end()));

  // Offered rates: does the view keep up, or does a backlog build?
  int next = 1000000;
  for (const int rate : {100, 500, 1000, 2000, 5000, 10000}) {
    const int first = next, total = rate * 3;
    const qint64 start = benchClock.nsecsElapsed();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const double elapsed = (benchClock.nsecsElapsed() - start) / 1e9;
      const int due = std::min(total, static_cast<int>(elapsed * rate));
      while (next - first < due) sender.write(QByteArray::fromStdString(Frame(wire::kToAll, "sender/bench/" + Line(next++))));
      sender.flush();
    });
    tick.start(5);
    Spin([&] { return next - first >= total; }, 30000);
    tick.stop();
    const auto rendered = [&] {
      return std::count_if(arrivedAt.begin(), arrivedAt.end(), [&](const auto& e) { return e.first >= first; });
    };
    const long backlog = total - rendered();
    Spin([&] { return rendered() >= total; }, 30000);
    const double seconds = (benchClock.nsecsElapsed() - start) / 1e9;
    std::printf("offered %4d lines/s for 3 s: rendered %ld in %.2f s (%.0f lines/s), backlog at the end of sending %ld\n",
                rate, static_cast<long>(rendered()), seconds, rendered() / seconds, backlog);
  }
  server.terminate();
  server.waitForFinished(3000);
  return 0;
}
