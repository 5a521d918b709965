// Appends chat lines to a room's native transcript view and reports the
// time per 1,000 lines as the transcript grows, how the shown room keeps up
// with lines arriving at a steady rate, and the memory of many rooms.
//
//   transcript_bench [lines] [rooms] [lines-per-room] [seconds-per-rate] [0: grow a hidden view too]
//   defaults: 100000 lines in one view; 1000 and 5000 lines/s for 3 s each;
//   then 10 rooms of 10000 lines.
//
// The growth figures add the lines as the room's logic does and let the view
// draw a frame after every 20 lines (a frame's worth at 1,000 lines/s).
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/transcript/transcript_page.h"

namespace {

using namespace orvinta;

struct Batch {
  double wallMs, cpuMs;
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

void GrowthRun(int total, bool shown) {
  auto transcript = bench::OpenTranscript(shown);
  std::printf("lines appended to a %s view, ms per 1000 lines: wall, CPU\n", shown ? "shown" : "hidden");
  std::vector<Batch> batches;
  for (int done = 0; done < total; done += 1000) {
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = bench::CpuMs();
    for (int i = 0; i < 1000; ++i) {
      transcript->Add(bench::ChatLine(done + i));
      if (i % 20 == 19) bench::Settle(*transcript);
    }
    batches.push_back({clock.nsecsElapsed() / 1e6, bench::CpuMs() - cpuBefore});
    const Batch& b = batches.back();
    if ((done / 1000) % 10 == 0 || done + 1000 >= total) std::printf("%7d %8.1f %8.1f\n", done + 1000, b.wallMs, b.cpuMs);
    std::fflush(stdout);
  }
  const std::size_t n = batches.size(), k = std::min<std::size_t>(5, n), m = std::min<std::size_t>(10, n);
  const auto report = [&](const char* what, double Batch::*field) {
    const double start = Average(batches, 0, k, field), end = Average(batches, n - k, n, field);
    std::printf("%-5s first %zu batches: %6.1f ms per 1000 lines; last %zu: %6.1f ms; ratio end/start %.2f"
                " (medians of %zu: %.2f)\n",
                what, k, start, k, end, end / start, m, Median(batches, n - m, n, field) / Median(batches, 0, m, field));
  };
  report("wall:", &Batch::wallMs);
  report("CPU:", &Batch::cpuMs);
  std::printf("view: %zu lines, %zu laid out, following the newest: %s\n", transcript->lines.size(),
              transcript->view->LaidOutLines(), transcript->view->AtBottom() ? "yes" : "no");

  // The machine's load drifts over a long run: batches to a fresh view and to
  // the grown one, taken in turns, compare the two under the same load.
  auto fresh = bench::OpenTranscript(shown);
  fresh->view->resize(transcript->view->size());
  const auto batch = [](bench::Transcript& t) {
    const double before = bench::CpuMs();
    const int from = static_cast<int>(t.lines.size());
    for (int i = 0; i < 1000; ++i) {
      t.Add(bench::ChatLine(from + i));
      if (i % 20 == 19) bench::Settle(t);
    }
    return bench::CpuMs() - before;
  };
  batch(*fresh);  // the first batch of a view pays for its fonts
  std::vector<double> start, end;
  for (int i = 0; i < 10; ++i) {
    start.push_back(batch(*fresh));
    end.push_back(batch(*transcript));
  }
  std::sort(start.begin(), start.end());
  std::sort(end.begin(), end.end());
  std::printf("in turns, CPU ms per 1000 lines: at %zu lines %.1f, at %d lines %.1f (medians of 10); ratio end/start %.2f\n",
              fresh->lines.size() - 10000, start[5], total, end[5], end[5] / start[5]);
}

// Lines arrive at `rate` a second, as fast as the event loop lets them in,
// while the view draws on its own frames.
void RateRun(int rate, int seconds) {
  auto transcript = bench::OpenTranscript();
  for (int i = 0; i < 2000; ++i) transcript->Add(bench::ChatLine(i));
  bench::Settle(*transcript);
  const int paintsBefore = transcript->paints;
  std::size_t behindMax = 0, added = 0;
  bool everLeft = false;
  QElapsedTimer clock;
  clock.start();
  const double cpuBefore = bench::CpuMs();
  QTimer feed;
  feed.setTimerType(Qt::PreciseTimer);
  QObject::connect(&feed, &QTimer::timeout, [&] {
    const std::size_t due = static_cast<std::size_t>(clock.nsecsElapsed() / 1e9 * rate);
    for (; added < due; ++added) transcript->Add(bench::ChatLine(static_cast<int>(added)));
  });
  // Just before each frame the view draws: how many lines it had not shown yet.
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const auto [first, last] = transcript->view->LinesOnScreen();
    behindMax = std::max(behindMax, transcript->lines.size() - last);
    if (transcript->lines.size() - last > static_cast<std::size_t>(rate)) everLeft = true;
  });
  feed.start(1);
  probe.start(50);
  bench::Wait([&] { return clock.elapsed() >= seconds * 1000; });
  feed.stop();
  probe.stop();
  const double wall = clock.nsecsElapsed() / 1e9, cpu = bench::CpuMs() - cpuBefore;
  const int paints = transcript->paints - paintsBefore;
  QElapsedTimer settle;
  settle.start();
  bench::Wait([&] { return settle.elapsed() >= 100; });
  const int idlePaints = transcript->paints - paintsBefore - paints;
  std::printf("%5d lines/s for %.1f s: %zu lines in (%.0f a second), %d paints (%.0f a second), CPU %.0f %%, "
              "at most %zu lines not yet shown at a probe, at the newest line after: %s%s; paints after the lines stopped: %d\n",
              rate, wall, added, added / wall, paints, paints / wall, cpu / (wall * 10), behindMax,
              transcript->view->AtBottom() ? "yes" : "NO", everLeft ? " (fell behind by over a second's lines)" : "",
              idlePaints);
}

void MemoryRun(int rooms, int lines) {
  const std::size_t heapStart = mallinfo2().uordblks;
  std::vector<std::unique_ptr<bench::Transcript>> transcripts;
  for (int r = 0; r < rooms; ++r) {
    transcripts.push_back(bench::OpenTranscript(r == 0));
    for (int i = 0; i < lines; ++i) transcripts.back()->lines.Add(bench::ChatLine(i));
  }
  const std::size_t heapLines = mallinfo2().uordblks;
  for (auto& t : transcripts) {
    t->view->LinesAdded();
    bench::Settle(*t);
  }
  const std::size_t heapViews = mallinfo2().uordblks;
  const auto mib = [](std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); };
  std::printf("%d room(s) of %d lines (one shown): lines %.1f MiB, views on them %.1f MiB more; %.0f MiB resident\n",
              rooms, lines, mib(heapLines - heapStart), mib(heapViews - heapLines), bench::RssMiB());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::vector<int> numbers;
  for (int i = 1; i < argc; ++i) numbers.push_back(std::atoi(argv[i]));
  const int total = numbers.size() > 0 ? numbers[0] : 100000;
  const int rooms = numbers.size() > 1 ? numbers[1] : 10;
  const int perRoom = numbers.size() > 2 ? numbers[2] : 10000;
  const int seconds = numbers.size() > 3 ? numbers[3] : 3;
  if (total > 0) GrowthRun(total, true);
  if (total > 0 && numbers.size() > 4 && numbers[4] == 0) GrowthRun(total, false);  // the lines alone, for comparison
  if (seconds > 0) {
    RateRun(1000, seconds);
    RateRun(5000, seconds);
  }
  if (rooms > 0) MemoryRun(rooms, perRoom);
  return 0;
}
