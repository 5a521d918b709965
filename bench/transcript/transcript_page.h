#pragma once
// What the transcript benchmarks share: a room's native transcript view over
// its lines, at the size the main window gives a room (380 x 230), its
// chat lines, and this process's CPU time and memory.
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>

#include "client/components/transcript/transcript_widget.h"
#include "client/window/transcript_lines.h"

namespace orvinta::bench {

// Runs the event loop until done() holds, sleeping between events.
void Wait(const std::function<bool()>& done);

// The benchmark's chat line number n (see bench_line.h); extra words go at its end.
window::TranscriptLine ChatLine(int n, const std::string& extra = {});

struct Transcript {
  window::TranscriptLines lines;
  std::unique_ptr<components::TranscriptWidget> view;
  int paints = 0;  // times the view has been drawn

  // A line as the room's logic adds it: into the lines, then told to the view.
  void Add(window::TranscriptLine line) {
    lines.Add(std::move(line));
    view->LinesAdded();
  }
};

// A shown (or hidden) transcript, empty.
std::unique_ptr<Transcript> OpenTranscript(bool shown = true);

// The view brought up to date and drawn, as its next frame would.
void Settle(Transcript& transcript);

// User and system CPU time of this process, in ms.
double CpuMs();

// Resident memory of this process, in MiB.
double RssMiB();

}  // namespace orvinta::bench
