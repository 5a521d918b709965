// Appends chat lines to real transcript pages (page 107 in Qt WebEngine) and
// reports the time per 1,000 lines as the transcript grows, and the memory of
// every process of the program (the browser's helpers included).
//
//   transcript_bench [lines] [rooms] [lines-per-room]
//   defaults: 100000 lines in one view, then 10 rooms of 10000 lines.
// Measure memory in a fresh process each: `transcript_bench 0 1` and `transcript_bench 0 10`.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "client/components/resource_scheme.h"
#include "client/components/web_view.h"
#include "client/window/line_html.h"
#include "platform/cp949.h"

namespace {

using namespace orvinta;

class LoadWaiter final : public platform::HtmlViewListener {
 public:
  void OnNavigateComplete(platform::FrameHandle) override {}
  void OnDocumentComplete(platform::FrameHandle) override { loaded = true; }
  bool loaded = false;
};

void Spin(const std::function<bool()>& done) {
  while (!done()) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Waits until the page has run every script sent so far.
void Settle(components::WebView& view) {
  bool answered = false;
  view.GetElementHtml("END_LINE", [&](const std::string&) { answered = true; });
  Spin([&] { return answered; });
}

std::string LineHtml(int n) {
  compose::ChatLine line;
  line.style = n % 3 == 0 ? "B" : "";
  line.textColour = "1F5FBF";
  line.size = "10";
  line.face = platform::FromLocalText("굴림");
  line.icon = std::to_string(1001 + n % 50);
  line.nick = platform::FromLocalText("오르빈봇");
  line.text = platform::FromLocalText("안녕하세요, 벤치마크 줄 번호 ") + std::to_string(n) + " /미소";
  return *window::RenderChatLine(line, window::PortalConfig{});
}

std::unique_ptr<components::WebView> OpenTranscript(LoadWaiter& waiter) {
  // Placed in a window of its own, as the main window places a room's view.
  static QWidget* frame = [] {
    auto* w = new QWidget;
    w->resize(600, 400);
    w->show();
    return w;
  }();
  auto view = std::make_unique<components::WebView>(platform::HtmlViewRole::Transcript);
  view->SetListener(&waiter);
  view->Widget()->setParent(frame);
  view->Widget()->resize(600, 400);
  view->Widget()->show();
  view->Navigate("res://orvinta/107");
  Spin([&] { return waiter.loaded; });
  return view;
}

// Resident memory of this process and every process under it, in MiB.
double TreeRssMiB() {
  const qint64 self = QCoreApplication::applicationPid();
  std::vector<qint64> tree{self};
  long pages = 0;
  const QStringList all = QDir("/proc").entryList(QDir::Dirs);
  bool grew = true;
  while (grew) {
    grew = false;
    for (const QString& pid : all) {
      bool isNumber = false;
      const qint64 id = pid.toLongLong(&isNumber);
      if (!isNumber || std::find(tree.begin(), tree.end(), id) != tree.end()) continue;
      QFile stat("/proc/" + pid + "/stat");
      if (!stat.open(QIODevice::ReadOnly)) continue;
      const QString text = QString::fromLatin1(stat.readAll());
      const QStringList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
      if (fields.size() > 1 && std::find(tree.begin(), tree.end(), fields[1].toLongLong()) != tree.end()) {
        tree.push_back(id);
        grew = true;
      }
    }
  }
  for (qint64 id : tree) {
    QFile statm(QStringLiteral("/proc/%1/statm").arg(id));
    if (statm.open(QIODevice::ReadOnly)) pages += QString::fromLatin1(statm.readAll()).split(' ').value(1).toLong();
  }
  return pages * 4096.0 / (1024 * 1024);
}

void GrowthRun(int total) {
  LoadWaiter waiter;
  auto view = OpenTranscript(waiter);
  std::printf("lines appended, ms per 1000 lines\n");
  std::vector<double> perBatch;
  for (int done = 0; done < total; done += 1000) {
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 1000; ++i) {
      view->AppendBeforeMarker("END_LINE", LineHtml(done + i));
      view->ScrollToMarker("END_LINE");
    }
    Settle(*view);
    perBatch.push_back(clock.nsecsElapsed() / 1e6);
    if ((done / 1000) % 10 == 0 || done + 1000 >= total) std::printf("%7d %8.1f\n", done + 1000, perBatch.back());
    std::fflush(stdout);
  }
  const auto average = [&](std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += perBatch[i];
    return sum / static_cast<double>(to - from);
  };
  const std::size_t n = perBatch.size(), k = std::min<std::size_t>(5, n);
  std::printf("first %zu batches: %.1f ms per 1000 lines; last %zu: %.1f ms; ratio end/start %.2f\n", k,
              average(0, k), k, average(n - k, n), average(n - k, n) / average(0, k));
}

void MemoryRun(int rooms, int lines) {
  std::vector<std::unique_ptr<LoadWaiter>> waiters;
  std::vector<std::unique_ptr<components::WebView>> views;
  for (int r = 0; r < rooms; ++r) {
    waiters.push_back(std::make_unique<LoadWaiter>());
    views.push_back(OpenTranscript(*waiters.back()));
    for (int i = 0; i < lines; ++i) views.back()->AppendBeforeMarker("END_LINE", LineHtml(i));
    Settle(*views.back());
  }
  std::printf("%d room(s) of %d lines: %.0f MiB resident in all processes\n", rooms, lines, TreeRssMiB());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  components::ShareRendererProcesses();  // as the program does
  components::RegisterResourceScheme();
  QApplication app(argc, argv);
  components::InstallResourceScheme();
  const int total = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int rooms = argc > 2 ? std::atoi(argv[2]) : 10;
  const int perRoom = argc > 3 ? std::atoi(argv[3]) : 10000;
  if (total > 0) GrowthRun(total);
  if (rooms > 0) MemoryRun(rooms, perRoom);
  return 0;
}
