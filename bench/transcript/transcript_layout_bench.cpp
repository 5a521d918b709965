// What the native transcript view pays per line it lays out (the chat line's
// columns, its text broken as keep-all, an over-long word anywhere) at a
// view's width, and the memory of its cache of laid-out lines when full.
//
//   QT_QPA_PLATFORM=offscreen transcript_layout_bench [lines] [width]   defaults: 10000 lines, 380 px
#include <malloc.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "bench/transcript/transcript_page.h"
#include "client/components/transcript/line_layout.h"

using namespace orvinta;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const int width = argc > 2 ? std::atoi(argv[2]) : 380;
  window::TranscriptLines lines;
  // Every tenth line holds a word longer than the view.
  for (int i = 0; i < count; ++i) lines.Add(bench::ChatLine(i, i % 10 == 0 ? " " + std::string(200, 'x') : ""));

  components::transcript::LayoutCache cache(lines, {});
  cache.SetWidth(width);
  const std::size_t heapBefore = mallinfo2().uordblks;
  QElapsedTimer clock;
  clock.start();
  long height = 0;
  for (int i = 0; i < count; ++i) height += cache.At(static_cast<std::size_t>(i)).height;
  const double firstMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  const double heapMiB = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
  clock.restart();
  cache.SetWidth(width - 100);  // the view is narrowed: the lines on screen again
  for (std::size_t i = 0; i < components::transcript::LayoutCache::kCapacity; ++i) cache.At(lines.size() - 1 - i);
  const double againMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf("%d lines at %d px: %.1f us a line laid out; %zu lines again at a new width: %.1f ms\n", count, width,
              firstMs * 1000 / count, components::transcript::LayoutCache::kCapacity, againMs);
  std::printf("cache of %zu laid-out lines: %.2f MiB (%.0f bytes a line), total height %ld px\n", cache.size(), heapMiB,
              heapMiB * 1024 * 1024 / static_cast<double>(cache.size()), height);
  return 0;
}
