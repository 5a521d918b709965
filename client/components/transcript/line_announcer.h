#pragma once
// Reads a shown room's new lines to screen readers the way a polite live
// region is read: as text inserted at the end of the transcript, paced by
// AnnouncementPace, never moving the focus. A flood is read as its count and
// its newest line.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>

#include "client/components/transcript/announcement_pace.h"

namespace orvinta::components {

class TranscriptWidget;

class LineAnnouncer final : public QObject {
  Q_OBJECT
 public:
  static constexpr std::uint64_t kLinesReadWhole = 3;

  explicit LineAnnouncer(TranscriptWidget& view);
  // The lines up to `end` (one past the newest line number) are on screen.
  void LinesUpTo(std::uint64_t end);
  // Shown again: what came while hidden is not read.
  void Seen(std::uint64_t end) { readEnd_ = end; }

 private:
  void Read();

  TranscriptWidget& view_;
  AnnouncementPace pace_;
  QElapsedTimer clock_;
  QTimer due_;
  std::uint64_t readEnd_ = 0;
  std::uint64_t end_ = 0;
};

}  // namespace orvinta::components
