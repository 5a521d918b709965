#pragma once
// A room's transcript drawn natively over its lines: only the lines on screen
// are laid out, the scroll bar counts lines (so no pass over every line is
// needed), and however many lines arrive the view is brought up to date at
// most once a frame. It keeps the reader's place, selects and copies text,
// finds in every line, and opens links in the user's browser.
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "client/components/transcript/line_layout.h"
#include "client/window/portal_config.h"
#include "client/window/reading_place.h"
#include "client/window/transcript_lines.h"
#include "client/window/transcript_search.h"

namespace orvinta::components {

class LineAnnouncer;
class TranscriptFindBar;

class TranscriptWidget final : public QAbstractScrollArea {
  Q_OBJECT
 public:
  TranscriptWidget(const window::TranscriptLines& lines, window::PortalConfig portal, QWidget* parent = nullptr);
  ~TranscriptWidget() override;

  // What the room's logic tells the view.
  void LinesAdded();
  // Older lines above the oldest: the line at the top stays at its pixel.
  void LinesAddedInFront();
  void JumpToNewest();
  void LinesCleared();
  void SetShown(bool shown);

  // Where a clicked link goes (the browser by default); `failed` hears when no browser took it.
  void SetLinkOpener(std::function<void(const QUrl&)> opener) { opener_ = std::move(opener); }
  void SetLinkFailed(std::function<void()> failed) { linkFailed_ = std::move(failed); }
  // Told when the reader scrolls to the oldest line (wheel, keys, the bar),
  // once until the reader leaves it or lines are put above it.
  void SetReachedTop(std::function<void()> reached) { reachedTop_ = std::move(reached); }
  // Told once, after the first paint that showed a chat line.
  void WhenChatLineDrawn(std::function<void()> drawn) { chatLineDrawn_ = std::move(drawn); }

  // Finding: a new query (the newest match chosen) or a step; (position, count).
  std::pair<int, int> Find(const QString& query);
  std::pair<int, int> FindStep(int step);

  // The selection, as copied; lines separated by newlines.
  QString SelectedText() const;
  void SelectAll();
  void Copy() const;
  // Where the reader is: the first line on screen, and whether the newest line is in view.
  std::size_t TopLine() const;
  // The line the unread marker stands before.
  std::optional<std::size_t> MarkerLine() const;
  bool AtBottom();
  QString NewLinesBarText() const;  // empty while there is no bar
  QRect BarRect() const;            // in the viewport
  // To the newest line, as End or a click on the new-lines bar goes.
  void GoNewest();
  // The lines on screen and their text, for screen readers: index range [first, last).
  std::pair<std::size_t, std::size_t> LinesOnScreen();
  QString LineText(std::size_t index) const;
  std::uint64_t FirstLineNumber() const { return lines_.FirstNumber(); }
  std::size_t IndexOfLine(std::uint64_t number) const { return IndexOf(number); }
  // The row above the oldest line that says how many older ones were dropped
  // to keep the room's bound; empty when none were.
  QString DroppedNoticeText() const;
  std::size_t LaidOutLines() const { return cache_.size(); }
  // Brings line `index` to the top of the view (the reader's scroll).
  void ScrollToLine(std::size_t index);
  // The view's state brought up to date now rather than at the next frame.
  void Flush();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void scrollContentsBy(int, int) override {}

 private:
  struct Place {
    std::uint64_t line = 0;  // line number
    int offset = 0;          // pixels of it above the view
  };
  struct TextPoint {
    std::uint64_t line = 0;
    int position = 0;  // in the line's text; -1: before it, from the nick on
    bool operator<(const TextPoint& o) const { return line != o.line ? line < o.line : position < o.position; }
    bool operator==(const TextPoint& o) const = default;
  };
  struct Hit {
    std::size_t index = 0;  // of the line under the point
    QPointF inLine;         // the point from the line's table
    bool found = false;
  };

  std::size_t Count() const { return lines_.size(); }
  std::size_t IndexOf(std::uint64_t number) const;
  int RowHeight(std::size_t index);  // the line's table, the margin above it, and the rows above it
  int RowsAbove(std::size_t index);  // the dropped lines' notice, the unread marker
  int NoticeRows(std::size_t index);
  int MarkerRows(std::size_t index) const;
  const transcript::LaidLine& DroppedRow();
  Place NewestPlace();
  void GoTo(Place place);
  void ScrollPixels(int dy);
  void ScheduleFrame();
  void OnFrame();
  void SyncScrollBar();
  void ReaderScrolled();
  Hit HitAt(QPointF point);
  TextPoint TextPointAt(QPointF point);
  void ShowMatch();
  void OpenLink(const QString& address);

  const window::TranscriptLines& lines_;
  window::PortalConfig portal_;
  transcript::LayoutCache cache_;
  std::unique_ptr<transcript::LaidLine> droppedRow_;  // laid out for droppedRowKey_ (count, width)
  std::pair<std::uint64_t, int> droppedRowKey_;
  window::ReadingPlace place_;
  window::TranscriptSearch search_;
  Place top_;
  std::uint64_t endSeen_ = 0;     // one past the newest line the view has been told of
  bool followPending_ = false;    // to the newest at the next frame
  bool syncing_ = false;          // the scroll bar is being set, not moved by the reader
  QTimer frame_;
  QElapsedTimer lastFrame_;       // since the last frame ran
  qint64 frameCostNs_ = 0;        // its layout and paint
  std::optional<TextPoint> anchor_, cursor_;  // the selection
  bool selecting_ = false;
  QPoint pressAt_;
  std::optional<std::pair<std::uint64_t, int>> hoverLink_;
  int barTextWidth_ = 0;  // the bar's text as last drawn  // line number, link index
  std::function<void(const QUrl&)> opener_;
  std::function<void()> linkFailed_;
  std::function<void()> chatLineDrawn_;
  std::function<void()> reachedTop_;
  bool toldAtTop_ = false;  // reachedTop_ told since the reader came to the top
  TranscriptFindBar* findBar_;
  LineAnnouncer* announcer_;
};

}  // namespace orvinta::components
