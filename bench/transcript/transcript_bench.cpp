// Appends chat lines to real transcript pages (page 107 in Qt WebEngine) and
// reports the time per 1,000 lines as the transcript grows, and the memory of
// every process of the program (the browser's helpers included).
//
//   transcript_bench [--script FILE] [lines] [rooms] [lines-per-room]
//   defaults: 100000 lines in one view, then 10 rooms of 10000 lines.
// Measure memory in a fresh process each: `transcript_bench 0 1` and `transcript_bench 0 10`.
//
// Wall time follows the machine's load; the renderer's CPU time and the time
// inside the page script's entry points (performance.now() in the page) much
// less, so each is reported with its own end/start ratio. --script runs the
// pages with another version of the page script (a file holding its
// JavaScript, %1 for the lines per block), to compare the two in one binary.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/transcript/transcript_page.h"
#include "client/components/resource_scheme.h"

namespace {

using namespace orvinta;
using bench::LineHtml;

struct Batch {
  double wallMs, rendererMs, scriptMs;
};

double Average(const std::vector<Batch>& batches, std::size_t from, std::size_t to, double Batch::*field) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += batches[i].*field;
  return sum / static_cast<double>(to - from);
}

double Median(const std::vector<Batch>& batches, std::size_t from, std::size_t to, double Batch::*field) {
  std::vector<double> values;
  for (std::size_t i = from; i < to; ++i) values.push_back(batches[i].*field);
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void GrowthRun(int total, const QString& script) {
  auto view = bench::OpenTranscript(script);
  bench::TimePageScript(*view);
  std::printf("lines appended, ms per 1000 lines: wall, renderer CPU, inside the page script\n");
  std::vector<Batch> batches;
  double cpuBefore = bench::RendererCpuMs(), scriptBefore = bench::PageScriptMs(*view);
  for (int done = 0; done < total; done += 1000) {
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 1000; ++i) {
      view->AppendBeforeMarker("END_LINE", LineHtml(done + i));
      view->ScrollToMarker("END_LINE");
    }
    bench::Settle(*view);
    const double wall = clock.nsecsElapsed() / 1e6;
    const double cpu = bench::RendererCpuMs(), inPage = bench::PageScriptMs(*view);
    batches.push_back({wall, cpu - cpuBefore, inPage - scriptBefore});
    cpuBefore = cpu;
    scriptBefore = inPage;
    const Batch& b = batches.back();
    if ((done / 1000) % 10 == 0 || done + 1000 >= total) {
      std::printf("%7d %8.1f %8.1f %8.1f\n", done + 1000, b.wallMs, b.rendererMs, b.scriptMs);
    }
    std::fflush(stdout);
  }
  const std::size_t n = batches.size(), k = std::min<std::size_t>(5, n), m = std::min<std::size_t>(10, n);
  // The median ratio shrugs off the odd batch that another process slowed.
  const auto report = [&](const char* what, double Batch::*field) {
    const double start = Average(batches, 0, k, field), end = Average(batches, n - k, n, field);
    std::printf("%-13s first %zu batches: %6.1f ms per 1000 lines; last %zu: %6.1f ms; ratio end/start %.2f"
                " (medians of %zu: %.2f)\n",
                what, k, start, k, end, end / start, m, Median(batches, n - m, n, field) / Median(batches, 0, m, field));
  };
  report("wall:", &Batch::wallMs);
  report("renderer CPU:", &Batch::rendererMs);
  report("page script:", &Batch::scriptMs);
  std::printf("page: %s\n", qPrintable(bench::Evaluate(*view, QStringLiteral(
      "(function(){var b=document.getElementsByClassName('orvinta-lines'),f=0;"
      "for(var i=0;i<b.length;++i)if(b[i].childElementCount===0)++f;"
      "return b.length+' blocks, '+f+' frozen, '+document.getElementsByTagName('table').length+' live lines';})()"))
                                                .toString()));
}

void MemoryRun(int rooms, int lines, const QString& script) {
  std::vector<std::unique_ptr<components::WebView>> views;
  for (int r = 0; r < rooms; ++r) {
    views.push_back(bench::OpenTranscript(script));
    for (int i = 0; i < lines; ++i) views.back()->AppendBeforeMarker("END_LINE", LineHtml(i));
    bench::Settle(*views.back());
  }
  std::printf("%d room(s) of %d lines: %.0f MiB resident in all processes\n", rooms, lines, bench::TreeRssMiB());
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  components::ShareRendererProcesses();  // as the program does
  components::RegisterResourceScheme();
  QApplication app(argc, argv);
  components::InstallResourceScheme();
  QString script;
  std::vector<int> numbers;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
      QFile file(QString::fromLocal8Bit(argv[++i]));
      if (!file.open(QIODevice::ReadOnly)) return std::fprintf(stderr, "cannot read %s\n", argv[i]), 2;
      script = QString::fromUtf8(file.readAll());
    } else {
      numbers.push_back(std::atoi(argv[i]));
    }
  }
  const int total = numbers.size() > 0 ? numbers[0] : 100000;
  const int rooms = numbers.size() > 1 ? numbers[1] : 10;
  const int perRoom = numbers.size() > 2 ? numbers[2] : 10000;
  if (total > 0) GrowthRun(total, script);
  if (rooms > 0) MemoryRun(rooms, perRoom, script);
  return 0;
}
