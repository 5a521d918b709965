// The rooms' lines as the window keeps them: the heap they take and the time
// to add them and to make a room's transcript HTML (what saving writes).
//
//   transcript_lines_bench [rooms] [lines-per-room]   defaults: 10 rooms of 10000 lines
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/transcript/bench_line.h"
#include "client/compose/chat_line.h"
#include "client/window/line_html.h"
#include "platform/cp949.h"

namespace {

using namespace orvinta;
using Clock = std::chrono::steady_clock;

compose::ChatLine Line(int n) { return bench::BenchLine(n); }

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int rooms = argc > 1 ? std::atoi(argv[1]) : 10;
  const int perRoom = argc > 2 ? std::atoi(argv[2]) : 10000;
  const window::PortalConfig portal;
  const std::size_t heapBefore = mallinfo2().uordblks;
  std::vector<window::TranscriptLines> all(static_cast<std::size_t>(rooms));
  auto start = Clock::now();
  for (auto& lines : all) {
    for (int i = 0; i < perRoom; ++i) lines.Add(*window::ChatLineFrom(Line(i), portal));
  }
  const double addMs = MsSince(start);
  const double heapMiB = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
  start = Clock::now();
  const std::string html = window::TranscriptHtml(all.front(), portal);
  const double htmlMs = MsSince(start);
  std::printf("%d rooms x %d lines: heap %.1f MiB (%.0f bytes a line); adding %.3f us a line\n", rooms, perRoom, heapMiB,
              heapMiB * 1024 * 1024 / (static_cast<double>(rooms) * perRoom), addMs * 1000 / (rooms * perRoom));
  std::printf("one room's transcript HTML: %.1f ms for %zu bytes\n", htmlMs, html.size());
  return 0;
}
