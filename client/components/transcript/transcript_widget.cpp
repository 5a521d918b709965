#include "client/components/transcript/transcript_widget.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <limits>
#include <utility>

#include "client/compose/emoticons.h"
#include "client/components/browser_opener.h"
#include "client/components/member_list/member_icons.h"
#include "client/components/transcript/reading_marks.h"
#include "client/components/transcript/line_announcer.h"
#include "client/components/transcript/transcript_accessible.h"
#include "client/components/transcript_find_bar.h"
#include "client/window/line_display.h"
#include "platform/qt/qt_text.h"
#include "protocol/guarded.h"

namespace orvinta::components {
namespace {

using transcript::kLineMargin;
using transcript::kMarkerHeight;
constexpr int kFrameMs = 16;       // at most one update a frame however many lines come
constexpr int kMinFrameGapMs = 4;  // while updates are cheap they may come this close
constexpr int kWheelStep = 60;     // pixels a wheel notch scrolls
constexpr std::size_t kMaxCopiedLines = window::TranscriptLines::kMaxLines;

// Only web addresses with a host leave the program from a transcript.
bool IsWebAddress(const QUrl& url) {
  constexpr qsizetype kMaxAddress = 4096;
  const QString scheme = url.scheme();
  return url.isValid() && url.toEncoded().size() <= kMaxAddress &&
         (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

// The text of a line between two layout positions as it is copied: line
// breaks as newlines, emoticons as their keywords.
QString CopiedText(const window::TranscriptLine& line, int from, int to) {
  QString out;
  int at = 0;
  for (const window::DisplaySpan& span : window::DisplaySpans(line)) {
    QString shown;
    switch (span.kind) {
      case window::DisplaySpan::Kind::Text:
      case window::DisplaySpan::Kind::Link: shown = platform::qt::FromDisplayText(span.text); break;
      case window::DisplaySpan::Kind::LineBreak: shown = QStringLiteral("\n"); break;
      case window::DisplaySpan::Kind::Emoticon: shown = QChar(transcript::kEmoticonChar); break;
    }
    const int start = std::max(from, at), end = std::min<int>(to, at + static_cast<int>(shown.size()));
    if (start < end) {
      out += span.kind == window::DisplaySpan::Kind::Emoticon
                 ? platform::qt::FromCp949(compose::kEmoticons[span.emoticon].keyword)
                 : shown.mid(start - at, end - start);
    }
    at += static_cast<int>(shown.size());
  }
  return out;
}

}  // namespace

TranscriptWidget::TranscriptWidget(const window::TranscriptLines& lines, window::PortalConfig portal, QWidget* parent)
    : QAbstractScrollArea(parent), lines_(lines), portal_(portal), cache_(lines, std::move(portal)) {
  TranscriptAccessible::Install();
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);  // Tab and F6 reach it too
  viewport()->setAutoFillBackground(true);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Window, Qt::white);
  viewport()->setPalette(palette);
  viewport()->setMouseTracking(true);
  endSeen_ = lines_.FirstNumber() + lines_.size();
  top_ = {lines_.FirstNumber(), 0};
  frame_.setSingleShot(true);
  connect(&frame_, &QTimer::timeout, this, [this] { Guarded("a transcript's frame", [&] { OnFrame(); }); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (syncing_) return;
    if (value >= verticalScrollBar()->maximum()) GoTo(NewestPlace());
    else GoTo({lines_.FirstNumber() + static_cast<std::uint64_t>(std::max(0, value)), 0});
    ReaderScrolled();
  });
  connect(&MemberIcons::Shared(), &MemberIcons::arrived, viewport(), qOverload<>(&QWidget::update));
  opener_ = [this](const QUrl& url) {
    OpenInBrowser(url, this, [this] {
      if (linkFailed_) linkFailed_();
    });
  };
  findBar_ = new TranscriptFindBar(
      this, {[this](const QString& query, TranscriptFindBar::Answer answer) {
               const auto [position, count] = Find(query);
               answer(position, count);
             },
             [this](int step, TranscriptFindBar::Answer answer) {
               const auto [position, count] = FindStep(step);
               answer(position, count);
             }});
  announcer_ = new LineAnnouncer(*this);
  hide();
}

TranscriptWidget::~TranscriptWidget() = default;

std::size_t TranscriptWidget::IndexOf(std::uint64_t number) const {
  const std::uint64_t first = lines_.FirstNumber();
  return number < first ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(number - first, Count()));
}

int TranscriptWidget::MarkerRows(std::size_t index) const {
  const auto marker = place_.Marker();
  return marker && *marker == lines_.FirstNumber() + index ? kMarkerHeight : 0;
}

const transcript::LaidLine& TranscriptWidget::DroppedRow() {
  const std::pair<std::uint64_t, int> key{lines_.Dropped(), viewport()->width()};
  if (!droppedRow_ || droppedRowKey_ != key) {
    droppedRow_ = transcript::LayOut(window::DroppedNoticeLine(key.first), portal_, key.second);
    droppedRowKey_ = key;
  }
  return *droppedRow_;
}

int TranscriptWidget::NoticeRows(std::size_t index) {
  return index == 0 && lines_.Dropped() > 0 ? kLineMargin + DroppedRow().height : 0;
}

int TranscriptWidget::RowsAbove(std::size_t index) { return NoticeRows(index) + MarkerRows(index); }

int TranscriptWidget::RowHeight(std::size_t index) {
  return RowsAbove(index) + kLineMargin + cache_.At(index).height;
}

TranscriptWidget::Place TranscriptWidget::NewestPlace() {
  const int height = viewport()->height();
  int total = kLineMargin;  // below the last line
  for (std::size_t i = Count(); i-- > 0;) {
    total += RowHeight(i);
    if (total >= height) return {lines_.FirstNumber() + i, total - height};
  }
  return {lines_.FirstNumber(), 0};
}

void TranscriptWidget::GoTo(Place place) {
  if (place.line < lines_.FirstNumber() || Count() == 0) place = {lines_.FirstNumber(), 0};
  const Place newest = NewestPlace();
  if (place.line > newest.line || (place.line == newest.line && place.offset > newest.offset)) place = newest;
  top_ = place;
  SyncScrollBar();
  viewport()->update();
}

void TranscriptWidget::ScrollPixels(int dy) {
  if (Count() == 0) return;
  std::size_t index = IndexOf(top_.line);
  if (index >= Count()) index = Count() - 1;
  int offset = top_.offset + dy;
  while (offset < 0 && index > 0) offset += RowHeight(--index);
  offset = std::max(offset, 0);
  while (index + 1 < Count() && offset >= RowHeight(index)) offset -= RowHeight(index++);
  GoTo({lines_.FirstNumber() + index, offset});
  ReaderScrolled();
}

bool TranscriptWidget::AtBottom() {
  if (Count() == 0) return true;
  const Place newest = NewestPlace();
  const Place top = top_.line < lines_.FirstNumber() ? Place{lines_.FirstNumber(), 0} : top_;
  return top.line > newest.line || (top.line == newest.line && top.offset >= newest.offset - 1);
}

void TranscriptWidget::SyncScrollBar() {
  const Place newest = NewestPlace();
  const int last = static_cast<int>(std::min<std::size_t>(IndexOf(newest.line) + (newest.offset > 0 ? 1 : 0),
                                                          std::numeric_limits<int>::max()));
  // Showing the bar resizes the view, which syncs the bar again from inside
  // this call: the outer call must still not read its own changes as the reader's.
  const bool outer = !syncing_;
  syncing_ = true;
  // Once the lines overflow, the bar stays: it coming and going would change
  // the width, and with it the lines' heights, and with them the need for it.
  if (last > 0 && verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOn) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  }
  verticalScrollBar()->setRange(0, last);
  verticalScrollBar()->setPageStep(std::max(1, viewport()->height() / 24));
  verticalScrollBar()->setValue(AtBottom() ? last : static_cast<int>(IndexOf(top_.line)));
  if (outer) syncing_ = false;
}

void TranscriptWidget::ReaderScrolled() {
  place_.Scrolled(AtBottom());
  viewport()->update();
  const bool atTop = Count() > 0 && top_.line <= lines_.FirstNumber() && top_.offset == 0;
  if (!atTop) toldAtTop_ = false;
  if (!atTop || toldAtTop_ || !reachedTop_) return;
  toldAtTop_ = true;
  Guarded("the oldest line reached", [&] { reachedTop_(); });
}

void TranscriptWidget::GoNewest() {
  place_.GoNewest();
  followPending_ = false;
  GoTo(NewestPlace());
}

void TranscriptWidget::ScheduleFrame() {
  if (!isVisible() || frame_.isActive()) return;
  // A line after a quiet spell is drawn at once. Updates come closer together
  // while they are cheap, and at most once a frame when a flood makes them dear:
  // drawing never takes more than a quarter of the time.
  const qint64 gap = std::clamp<qint64>(4 * frameCostNs_ / 1'000'000, kMinFrameGapMs, kFrameMs);
  const qint64 since = lastFrame_.isValid() ? lastFrame_.elapsed() : gap;
  frame_.start(static_cast<int>(std::max<qint64>(0, gap - since)));
}

void TranscriptWidget::Flush() {
  frame_.stop();
  OnFrame();
}

void TranscriptWidget::OnFrame() {
  if (!isVisible()) return;
  lastFrame_.start();
  QElapsedTimer cost;
  cost.start();
  if (followPending_) {
    followPending_ = false;
    GoTo(NewestPlace());
  } else {
    GoTo(top_);
  }
  if (QAccessible::isActive()) {
    QAccessibleEvent changed(this, QAccessible::VisibleDataChanged);
    QAccessible::updateAccessibility(&changed);
  }
  frameCostNs_ = cost.nsecsElapsed();  // the paint that follows adds its own
}

void TranscriptWidget::LinesAdded() {
  const std::uint64_t end = lines_.FirstNumber() + lines_.size();
  const std::uint64_t first = std::max(endSeen_, lines_.FirstNumber());
  endSeen_ = end;
  if (end <= first) return;
  if (isVisible()) announcer_->LinesUpTo(end);
  // A hidden view only counts: it lays nothing out until it is shown.
  if (place_.LinesAdded(static_cast<std::size_t>(end - first), first) == window::ReadingPlace::Move::ToNewest) {
    followPending_ = true;
  }
  ScheduleFrame();
}

void TranscriptWidget::LinesAddedInFront() {
  // The place is a line number, which the lines above do not change; the bar
  // counts lines and is set again at the frame.
  toldAtTop_ = false;
  ScheduleFrame();
}

void TranscriptWidget::JumpToNewest() {
  place_.GoNewest();
  followPending_ = true;
  ScheduleFrame();
}

void TranscriptWidget::LinesCleared() {
  place_.Cleared();
  cache_.Clear();
  search_.Clear();
  anchor_.reset();
  cursor_.reset();
  hoverLink_.reset();
  endSeen_ = lines_.FirstNumber();
  top_ = {lines_.FirstNumber(), 0};
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  followPending_ = true;
  ScheduleFrame();
}

void TranscriptWidget::SetShown(bool shown) {
  if (!shown) {
    place_.Shown(false);
    frame_.stop();
    cache_.Clear();  // a hidden room keeps no laid-out lines
    hide();
    return;
  }
  if (!isHidden()) return;  // shown already: its frame keeps it up to date
  show();
  announcer_->Seen(endSeen_);
  cache_.SetWidth(viewport()->width());
  followPending_ = false;
  switch (place_.Shown(true)) {
    case window::ReadingPlace::Move::ToMarker:
      GoTo({*place_.Marker(), 0});
      place_.Scrolled(AtBottom());
      break;
    case window::ReadingPlace::Move::ToNewest: GoTo(NewestPlace()); break;
    case window::ReadingPlace::Move::Stay: GoTo(top_); break;
  }
}

std::size_t TranscriptWidget::TopLine() const { return IndexOf(top_.line); }

std::optional<std::size_t> TranscriptWidget::MarkerLine() const {
  const auto marker = place_.Marker();
  if (!marker || *marker < lines_.FirstNumber() || IndexOf(*marker) >= Count()) return std::nullopt;
  return IndexOf(*marker);
}

QString TranscriptWidget::NewLinesBarText() const {
  const std::size_t count = place_.BarCount();
  return count == 0 ? QString() : transcript::NewLinesText(count);
}

QRect TranscriptWidget::BarRect() const {
  return transcript::NewLinesBarRect(viewport()->size(), barTextWidth_);
}

void TranscriptWidget::ScrollToLine(std::size_t index) {
  GoTo({lines_.FirstNumber() + index, 0});
  ReaderScrolled();
}

std::pair<std::size_t, std::size_t> TranscriptWidget::LinesOnScreen() {
  std::size_t index = IndexOf(top_.line);
  const std::size_t first = index;
  for (int y = -top_.offset; index < Count() && y < viewport()->height(); ++index) y += RowHeight(index);
  return {first, index};
}

QString TranscriptWidget::LineText(std::size_t index) const {
  return index < Count() ? platform::qt::FromDisplayText(window::PlainText(lines_[index])) : QString();
}

QString TranscriptWidget::DroppedNoticeText() const {
  if (lines_.Dropped() == 0) return {};
  return platform::qt::FromDisplayText(window::PlainText(window::DroppedNoticeLine(lines_.Dropped())));
}

// Painting ---------------------------------------------------------------

void TranscriptWidget::paintEvent(QPaintEvent*) {
  QElapsedTimer cost;
  cost.start();
  QPainter painter(viewport());
  const int width = viewport()->width(), height = viewport()->height();
  cache_.SetWidth(width);
  std::optional<TextPoint> from = anchor_, to = cursor_;
  if (from && to && *to < *from) std::swap(from, to);
  const bool selection = from && to && !(*from == *to);
  QTextCharFormat selected;
  selected.setBackground(QColor(0xFF, 0xD5, 0x4A));
  selected.setForeground(Qt::black);
  QTextCharFormat hovered;
  hovered.setForeground(QColor(0x99, 0x99, 0x99));

  int y = -top_.offset;
  bool chatLineDrawn = false;
  for (std::size_t index = IndexOf(top_.line); index < Count() && y < height; ++index) {
    const std::uint64_t number = lines_.FirstNumber() + index;
    chatLineDrawn = chatLineDrawn || lines_[index].kind == window::LineKind::Chat;
    if (const int notice = NoticeRows(index)) {
      Draw(painter, DroppedRow(), y + kLineMargin, width, {});
      y += notice;
    }
    if (const int marker = MarkerRows(index)) {
      transcript::DrawUnreadMarker(painter, y, width);
      y += marker;
    }
    const transcript::LaidLine& line = cache_.At(index);
    QList<QTextLayout::FormatRange> overlays;
    if (hoverLink_ && hoverLink_->first == number && hoverLink_->second < static_cast<int>(line.links.size())) {
      const transcript::LinkRange& link = line.links[hoverLink_->second];
      overlays.push_back({link.start, link.length, hovered});
    }
    if (selection && from->line <= number && number <= to->line) {
      const int start = from->line == number ? std::max(from->position, 0) : 0;
      const int end = to->line == number ? to->position : static_cast<int>(line.text.text().size());
      if (start < end) overlays.push_back({start, end - start, selected});
    }
    Draw(painter, line, y + kLineMargin, width, overlays);
    y += kLineMargin + line.height;
  }

  if (place_.BarCount() > 0) barTextWidth_ = transcript::DrawNewLinesBar(painter, viewport()->size(), NewLinesBarText());
  if (chatLineDrawn && chatLineDrawn_) std::exchange(chatLineDrawn_, nullptr)();
  frameCostNs_ += cost.nsecsElapsed();
}

void TranscriptWidget::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  // Lines that came while the window itself was hidden are caught up with.
  ScheduleFrame();
}

void TranscriptWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  cache_.SetWidth(viewport()->width());
  if (!isVisible()) return;
  GoTo(place_.Following() ? NewestPlace() : top_);
}

// The reader ------------------------------------------------------------

void TranscriptWidget::wheelEvent(QWheelEvent* event) {
  const int dy = !event->pixelDelta().isNull() ? -event->pixelDelta().y() : -event->angleDelta().y() * kWheelStep / 120;
  if (dy != 0) ScrollPixels(dy);
  event->accept();
}

void TranscriptWidget::keyPressEvent(QKeyEvent* event) {
  const int page = std::max(20, viewport()->height() - 20);
  if (event->matches(QKeySequence::Copy)) Copy();
  else if (event->matches(QKeySequence::SelectAll)) SelectAll();
  else if (event->key() == Qt::Key_End && event->modifiers() == Qt::NoModifier) GoNewest();
  else if (event->key() == Qt::Key_Home) ScrollToLine(0);
  else if (event->key() == Qt::Key_PageDown) ScrollPixels(page);
  else if (event->key() == Qt::Key_PageUp) ScrollPixels(-page);
  else if (event->key() == Qt::Key_Down) ScrollPixels(20);
  else if (event->key() == Qt::Key_Up) ScrollPixels(-20);
  else return QAbstractScrollArea::keyPressEvent(event);
  event->accept();
}

TranscriptWidget::Hit TranscriptWidget::HitAt(QPointF point) {
  Hit hit;
  std::size_t index = IndexOf(top_.line);
  if (index >= Count()) return hit;
  int y = -top_.offset;
  for (; index < Count(); ++index) {
    const int above = RowsAbove(index);
    const int bottom = y + above + kLineMargin + cache_.At(index).height;
    if (point.y() < bottom || index + 1 == Count()) {
      hit.index = index;
      hit.inLine = point - QPointF(0, y + above + kLineMargin);
      hit.found = true;
      return hit;
    }
    y = bottom;
  }
  return hit;
}

TranscriptWidget::TextPoint TranscriptWidget::TextPointAt(QPointF point) {
  const Hit hit = HitAt(point);
  if (!hit.found) return {lines_.FirstNumber(), 0};
  const transcript::LaidLine& line = cache_.At(hit.index);
  int position = transcript::PositionAt(line, hit.inLine);
  if (hit.inLine.y() > line.height) position = static_cast<int>(line.text.text().size());
  return {lines_.FirstNumber() + hit.index, position};
}

void TranscriptWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (place_.BarCount() > 0 && BarRect().contains(event->position().toPoint())) {
    GoNewest();
    return;
  }
  pressAt_ = event->position().toPoint();
  anchor_ = cursor_ = TextPointAt(event->position());
  selecting_ = true;
  viewport()->update();
}

void TranscriptWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (selecting_ && (event->buttons() & Qt::LeftButton)) {
    if (at.y() < 0) ScrollPixels(-20);
    if (at.y() > viewport()->height()) ScrollPixels(20);
    cursor_ = TextPointAt(at);
    viewport()->update();
    return;
  }
  std::optional<std::pair<std::uint64_t, int>> hover;
  const Hit hit = HitAt(at);
  if (hit.found) {
    const transcript::LaidLine& line = cache_.At(hit.index);
    if (const transcript::LinkRange* link = transcript::LinkAt(line, hit.inLine)) {
      hover = std::make_pair(lines_.FirstNumber() + hit.index, static_cast<int>(link - line.links.data()));
    }
  }
  const bool onBar = place_.BarCount() > 0 && BarRect().contains(at.toPoint());
  viewport()->setCursor(hover || onBar ? Qt::PointingHandCursor : Qt::ArrowCursor);
  if (hover != hoverLink_) {
    hoverLink_ = hover;
    viewport()->update();
  }
}

void TranscriptWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !selecting_) return;
  selecting_ = false;
  if ((event->position().toPoint() - pressAt_).manhattanLength() >= QApplication::startDragDistance()) return;
  const Hit hit = HitAt(event->position());
  if (!hit.found) return;
  const transcript::LaidLine& line = cache_.At(hit.index);
  if (const transcript::LinkRange* link = transcript::LinkAt(line, hit.inLine)) {
    const QString address = link->address;
    anchor_.reset();
    cursor_.reset();
    viewport()->update();
    OpenLink(address);
  }
}

void TranscriptWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click selects the word under the pointer, as in a page.
  const TextPoint point = TextPointAt(event->position());
  const std::size_t index = IndexOf(point.line);
  if (index >= Count() || point.position < 0) return;
  const QString& text = cache_.At(index).text.text();
  QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
  words.setPosition(std::min<int>(point.position, static_cast<int>(text.size())));
  const int start = words.isAtBoundary() && words.boundaryReasons() & QTextBoundaryFinder::StartOfItem
                        ? static_cast<int>(words.position())
                        : static_cast<int>(std::max<qsizetype>(words.toPreviousBoundary(), 0));
  words.setPosition(start);
  const qsizetype end = words.toNextBoundary();
  anchor_ = TextPoint{point.line, start};
  cursor_ = TextPoint{point.line, static_cast<int>(end < 0 ? text.size() : end)};
  viewport()->update();
}

void TranscriptWidget::leaveEvent(QEvent* event) {
  QAbstractScrollArea::leaveEvent(event);
  if (hoverLink_) {
    hoverLink_.reset();
    viewport()->update();
  }
}

void TranscriptWidget::contextMenuEvent(QContextMenuEvent* event) {
  // The menu runs its own loop, in which the room (and this view) may close.
  QMenu menu;
  QAction* copy = menu.addAction(QStringLiteral("복사"));
  copy->setEnabled(!SelectedText().isEmpty());
  const QPointer<TranscriptWidget> alive(this);
  if (menu.exec(event->globalPos()) == copy && alive) Copy();
}

void TranscriptWidget::OpenLink(const QString& address) {
  const QUrl url(address);
  if (!IsWebAddress(url) || !opener_) return;
  Guarded("a link in a transcript", [&] { opener_(url); });
}

// Selection and finding -------------------------------------------------

QString TranscriptWidget::SelectedText() const {
  if (!anchor_ || !cursor_ || *anchor_ == *cursor_) return {};
  TextPoint from = *anchor_, to = *cursor_;
  if (to < from) std::swap(from, to);
  QStringList parts;
  const std::uint64_t first = std::max(from.line, lines_.FirstNumber());
  const std::uint64_t last = std::min<std::uint64_t>(to.line, lines_.FirstNumber() + Count() - 1);
  for (std::uint64_t number = first; number <= last && Count() > 0 && parts.size() < static_cast<qsizetype>(kMaxCopiedLines); ++number) {
    const window::TranscriptLine& line = lines_[IndexOf(number)];
    // Before its text (-1): the line is taken from its nick on.
    const int start = number == from.line ? from.position : -1;
    const int end = number == to.line ? to.position : std::numeric_limits<int>::max();
    QString text = CopiedText(line, std::max(start, 0), end);
    if (line.kind == window::LineKind::Chat && start < 0) {
      text.prepend(platform::qt::FromDisplayText(window::DecodeEntities(line.nick)) + QStringLiteral(" ▶ "));
    }
    if (line.kind != window::LineKind::Chat) {
      while (text.startsWith(QLatin1Char('\n'))) text.remove(0, 1);
      while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    }
    parts.push_back(text);
  }
  return parts.join(QLatin1Char('\n'));
}

void TranscriptWidget::SelectAll() {
  if (Count() == 0) return;
  anchor_ = TextPoint{lines_.FirstNumber(), -1};
  cursor_ = TextPoint{lines_.FirstNumber() + Count() - 1, static_cast<int>(transcript::LayoutText(lines_[Count() - 1]).size())};
  viewport()->update();
}

void TranscriptWidget::Copy() const {
  const QString text = SelectedText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

std::pair<int, int> TranscriptWidget::Find(const QString& query) {
  search_.Find(lines_, platform::qt::ToDisplayText(query));
  ShowMatch();
  return {static_cast<int>(search_.Position()), static_cast<int>(search_.Count())};
}

std::pair<int, int> TranscriptWidget::FindStep(int step) {
  search_.Step(step);
  ShowMatch();
  return {static_cast<int>(search_.Position()), static_cast<int>(search_.Count())};
}

void TranscriptWidget::ShowMatch() {
  const window::TextMatch* match = search_.Current();
  if (!match || match->line < lines_.FirstNumber() || IndexOf(match->line) >= Count()) {
    anchor_.reset();
    cursor_.reset();
    viewport()->update();
    return;
  }
  const std::size_t index = IndexOf(match->line);
  const window::TranscriptLine& line = lines_[index];
  anchor_ = TextPoint{match->line, transcript::LayoutPosition(line, match->offset)};
  cursor_ = TextPoint{match->line, transcript::LayoutPosition(line, match->offset + match->length)};
  // The match's line in the middle of the view.
  top_ = {match->line, 0};
  ScrollPixels(-(viewport()->height() - RowHeight(index)) / 2);
}

}  // namespace orvinta::components
