#include "bench/transcript/transcript_page.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QThread>

#include "bench/transcript/bench_line.h"
#include "client/window/line_html.h"

namespace orvinta::bench {
namespace {

// Counts the view's paints.
class PaintCounter final : public QObject {
 public:
  PaintCounter(QObject* parent, int& count) : QObject(parent), count_(count) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  int& count_;
};

}  // namespace

void Wait(const std::function<bool()>& done) {
  while (!done()) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!done()) QThread::usleep(200);
  }
}

window::TranscriptLine ChatLine(int n, const std::string& extra) {
  static const window::PortalConfig portal;
  return *window::ChatLineFrom(BenchLine(n, extra), portal);
}

std::unique_ptr<Transcript> OpenTranscript(bool shown) {
  auto transcript = std::make_unique<Transcript>();
  transcript->view = std::make_unique<components::TranscriptWidget>(transcript->lines, window::PortalConfig{});
  transcript->view->resize(380, 230);
  transcript->view->viewport()->installEventFilter(new PaintCounter(transcript->view.get(), transcript->paints));
  transcript->view->SetShown(shown);
  return transcript;
}

void Settle(Transcript& transcript) {
  transcript.view->Flush();
  if (transcript.view->isVisible()) transcript.view->viewport()->repaint();
}

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double RssMiB() {
  QFile file(QStringLiteral("/proc/self/statm"));
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return QString::fromLatin1(file.readAll()).split(' ').value(1).toLong() * 4096.0 / (1024 * 1024);
}

}  // namespace orvinta::bench
