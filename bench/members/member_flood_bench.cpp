// Status changes flooding a full room, against the real server and the real
// client: the window logic with its real adapters and Qt WebEngine pages.
// The other members run in a child process (this program again, with
// --senders), so that the CPU measured here is the client's own: this process
// and its page renderers.
//
//   member_flood_bench [changes per second] [seconds]     (default 10000 10)
//
// The server pings every second and drops a member that has not answered for
// two; the bench reports every PING the client read, the longest gap between
// two of them, whether the client is still in the room at the end, and how
// long after the last change the list had caught up.
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/bench_server.h"
#include "client/components/main_window.h"
#include "client/components/member_list/member_list_pane.h"
#include "client/components/resource_scheme.h"
#include "client/components/deferred_web_view.h"
#include "client/components/transcript/qt_transcript_view.h"
#include "client/components/transcript/transcript_widget.h"
#include "client/components/web_view.h"
#include "client/window/box_queue.h"
#include "client/window/orvinta_dlg.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"
#include "protocol/codec.h"
#include "protocol/wire_commands.h"

namespace {

using namespace orvinta;

constexpr int kOthers = 49;  // with the client, a full room of 50
constexpr const char* kRoom = "bench";

std::string Frame(std::string_view command, std::string_view body) {
  return protocol::EncodeMessage(protocol::MakeMessage(command, body));
}

// Runs the event loop until `done` (looked at every 10 ms) or the timeout;
// the loop sleeps between events, so the waiting costs no CPU of its own.
bool Spin(const std::function<bool()>& done, int timeoutMs) {
  if (done()) return true;
  QElapsedTimer t;
  t.start();
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (done() || t.elapsed() > timeoutMs) loop.quit();
  });
  check.start(10);
  loop.exec();
  return done();
}

// Built by appending: GCC 12 warns wrongly about "m" + std::to_string(i) at -O2.
std::string MemberId(int i) {
  std::string id = "m";
  id.append(std::to_string(i));
  return id;
}

// Member i's status at change number n: every change is a real change.
int StatusAt(long n) { return 1 + static_cast<int>(n % 6); }

// The other members: log in, enter, answer PING, and send the changes.
int RunSenders(const QString& address, int rate, int seconds) {
  std::vector<std::unique_ptr<QTcpSocket>> members;
  for (int i = 0; i < kOthers; ++i) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(address.section(':', 0, 0), address.section(':', 1).toUShort());
    if (!socket->waitForConnected(5000)) return 1;
    const std::string id = MemberId(i);
    socket->write(QByteArray::fromStdString(Frame(wire::kUser, id + "/k/" + id + "/1001")));
    socket->write(QByteArray::fromStdString(Frame(wire::kChatIn, id + "/" + kRoom)));
    QTcpSocket* raw = socket.get();
    QObject::connect(raw, &QTcpSocket::readyRead, [raw] {
      if (raw->readAll().contains("PING")) raw->write(QByteArray::fromStdString(Frame(wire::kPong, "")));
    });
    members.push_back(std::move(socket));
  }
  Spin([] { return false; }, 1000);
  std::printf("ready\n");
  std::fflush(stdout);
  // The client says "go" and, once it has looked at its list, "quit".
  int commands = 0;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[64];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    commands = n <= 0 ? 2 : commands + static_cast<int>(std::count(buffer, buffer + n, '\n'));
  });
  Spin([&] { return commands >= 1; }, 60000);

  QElapsedTimer clock;
  clock.start();
  const long total = static_cast<long>(rate) * seconds;
  long sent = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const long due = std::min(total, static_cast<long>(clock.nsecsElapsed() / 1e9 * rate));
    for (; sent < due; ++sent) {
      const int member = static_cast<int>(sent % kOthers);
      std::string body = MemberId(member);
      body.append("/").append(kRoom).append("/").append(std::to_string(StatusAt(sent / kOthers)));
      members[member]->write(QByteArray::fromStdString(Frame(wire::kUserInfoToAll, body)));
    }
  });
  tick.start(2);
  Spin([&] { return sent >= total; }, (seconds + 30) * 1000);
  std::printf("sent %ld\n", sent);
  std::fflush(stdout);
  Spin([&] { return commands >= 2; }, 60000);
  return 0;
}

// Notes when the client answered a PING: it does so as it reads one.
class KeepAliveLog final : public platform::TrafficLog {
 public:
  void AddLine(const std::string& text, std::uint32_t) override {
    if (text.rfind(">>> PONG", 0) == 0) pongs.push_back(clock.elapsed());
  }
  QElapsedTimer clock;
  std::vector<qint64> pongs;
};

// User and system CPU seconds of a process from /proc.
double ProcessCpu(pid_t pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return 0;
  const QString line = QString::fromLatin1(stat.readAll());
  const QStringList fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  return (fields.value(11).toDouble() + fields.value(12).toDouble()) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

pid_t ParentOf(pid_t pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  const auto ppid = QRegularExpression("PPid:\\s+(\\d+)").match(QString::fromLatin1(status.readAll()));
  return ppid.hasMatch() ? ppid.captured(1).toInt() : 0;
}

// The page renderers: every process below this one that is not below the
// senders or the server.
double PagesCpu(const std::vector<qint64>& excluded) {
  double total = 0;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool numeric = false;
    const pid_t pid = entry.toInt(&numeric);
    if (!numeric || pid == getpid()) continue;
    for (pid_t up = pid; up > 1; up = ParentOf(up)) {
      if (std::find(excluded.begin(), excluded.end(), up) != excluded.end()) break;
      if (up == getpid()) {
        total += ProcessCpu(pid);
        break;
      }
    }
  }
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 4 && QString::fromLatin1(argv[1]) == "--senders") {
    QCoreApplication app(argc, argv);
    return RunSenders(QString::fromLatin1(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  }
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  components::LeanEngineProcesses();
  qputenv("ORVINTA_UNATTENDED", "1");
  components::RegisterResourceScheme();
  QApplication app(argc, argv);
  components::InstallResourceScheme();
  const int rate = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

  QProcess server;
  const auto listening = bench::StartBenchServer(
      server, {"--ping-interval", "1", "--rate", "status=100000/100000", "--rate", "flood=100000/100000"});
  if (!listening) return std::fprintf(stderr, "the server did not start\n"), 1;
  const QString address = *listening;

  LaunchSettings settings;
  settings.AutoEnter = true;
  settings.DebugMonitor = true;  // the traffic log shows when PINGs were read
  settings.ServerAddress = address.toStdString();
  settings.UserId = "client";
  settings.Nick = "client";
  settings.IconNo = "1001";
  settings.RoomKey = kRoom;
  settings.RoomTitle = kRoom;
  components::MainWindow widgets;
  platform::qt::QtTimers timers;
  platform::qt::QtMessageBoxes qtBoxes;
  window::BoxQueue boxes(qtBoxes);
  platform::qt::QtSound sound;
  platform::qt::QtShell shell;
  platform::qt::QtTransportFactory transports;
  components::DeferredWebViewFactory views;
  components::MemberListPaneFactory memberViews;
  components::QtTranscriptViewFactory transcripts(&widgets, {});
  KeepAliveLog keepAlive;
  keepAlive.clock.start();
  window::COrvintaDlg dlg(settings, window::WindowPorts{.host = widgets, .views = views, .timers = timers,
                                                        .boxes = boxes, .sound = sound, .shell = shell,
                                                        .transports = transports, .monitor = &keepAlive,
                                                        .memberViews = &memberViews,
                                                        .transcriptViews = &transcripts});
  dlg.OnInitDialog();
  widgets.show();
  dlg.OnBnClickedButConnect();
  if (!Spin([&] { return dlg.Channels().FindByName("#bench") != nullptr; }, 10000)) return 1;

  QProcess senders;
  senders.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  senders.start(QString::fromLocal8Bit(argv[0]),
                {"--senders", address, QString::number(rate), QString::number(seconds)});
  if (!Spin([&] { return senders.canReadLine(); }, 20000)) return std::fprintf(stderr, "the senders did not start\n"), 1;
  senders.readLine();
  components::LetTheBrowserEngineIn();  // the portal's pages load, as in the program
  Spin([] { return false; }, 2000);
  std::printf("room: %zu members in the client's list\n", dlg.MemberCount("#bench"));
  senders.write("go\n");

  const std::vector<qint64> excluded{senders.processId(), server.processId()};
  const double pagesCpuBefore = PagesCpu(excluded);
  const double ownCpuBefore = ProcessCpu(getpid());
  const std::size_t pongsBefore = keepAlive.pongs.size();
  QElapsedTimer wall;
  wall.start();
  Spin([&] { return senders.canReadLine(); }, (seconds + 60) * 1000);  // "sent N" after the last change
  const double sendingSeconds = wall.elapsed() / 1000.0;
  const double ownCpu = ProcessCpu(getpid()) - ownCpuBefore;
  const double cpu = ownCpu + PagesCpu(excluded) - pagesCpuBefore;
  const double wallSeconds = wall.elapsed() / 1000.0;

  // Caught up: every member shows its last status.
  const long total = static_cast<long>(rate) * seconds;
  const auto caughtUp = [&] {
    for (int i = 0; i < kOthers && i < total; ++i) {
      const window::Member* m = dlg.Channels().FindMember("#bench", MemberId(i));
      if (!m || m->status != StatusAt((total - 1 - i) / kOthers)) return false;
    }
    return true;
  };
  const bool converged = Spin(caughtUp, 30000);
  if (!converged) {
    for (const window::Member& m : dlg.Channels().FindByName("#bench")->members) {
      std::fprintf(stderr, "[%s] shows %d\n", m.id.c_str(), m.status);
    }
  }
  senders.write("quit\n");

  qint64 longestGap = 0;
  for (std::size_t i = pongsBefore + 1; i < keepAlive.pongs.size(); ++i) {
    longestGap = std::max(longestGap, keepAlive.pongs[i] - keepAlive.pongs[i - 1]);
  }
  const bool inRoom = dlg.Flags().connected && dlg.Channels().FindByName("#bench") != nullptr;
  std::printf("offered %d status changes/s for %d s in a room of %d (sending took %.2f s)\n", rate, seconds,
              kOthers + 1, sendingSeconds);
  std::printf("keep-alive: %zu PINGs answered from the start of the flood (the server pings every 1 s and "
              "drops after 2 s of silence), longest gap between two answers %lld ms; still in the room: %s\n",
              keepAlive.pongs.size() - pongsBefore, static_cast<long long>(longestGap), inRoom ? "yes" : "NO");
  std::printf("list caught up with the last change of every member: %s\n", converged ? "yes" : "NO");
  std::printf("client CPU (this process and its page renderers): %.2f s over %.2f s wall = %.0f %% of one core "
              "(the program itself %.0f %%, its pages %.0f %%)\n",
              cpu, wallSeconds, 100.0 * cpu / wallSeconds, 100.0 * ownCpu / wallSeconds,
              100.0 * (cpu - ownCpu) / wallSeconds);
  senders.waitForFinished(5000);
  server.terminate();
  server.waitForFinished(3000);
  return inRoom && converged ? 0 : 1;
}
