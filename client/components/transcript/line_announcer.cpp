#include "client/components/transcript/line_announcer.h"

#include <QAccessible>
#include <QStringList>

#include "client/components/transcript/transcript_widget.h"

namespace orvinta::components {

LineAnnouncer::LineAnnouncer(TranscriptWidget& view) : QObject(&view), view_(view) {
  clock_.start();
  due_.setSingleShot(true);
  connect(&due_, &QTimer::timeout, this, &LineAnnouncer::Read);
}

void LineAnnouncer::LinesUpTo(std::uint64_t end) {
  end_ = end;
  if (!QAccessible::isActive() || end_ <= readEnd_) return;
  if (const auto wait = pace_.LinesCame(clock_.elapsed())) due_.start(static_cast<int>(*wait));
}

void LineAnnouncer::Read() {
  pace_.Read(clock_.elapsed());
  const std::uint64_t first = std::max(readEnd_, view_.FirstLineNumber());
  readEnd_ = end_;
  if (end_ <= first || !view_.isVisible()) return;
  const std::uint64_t count = end_ - first;
  QStringList said;
  if (count > kLinesReadWhole) {
    said << QStringLiteral("새 메시지 %1줄").arg(count) << view_.LineText(view_.IndexOfLine(end_ - 1));
  } else {
    for (std::uint64_t n = first; n < end_; ++n) said << view_.LineText(view_.IndexOfLine(n));
  }
  const QString text = said.join(QLatin1Char('\n'));
  QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&view_);
  const int at = read && read->textInterface() ? read->textInterface()->characterCount() : 0;
  QAccessibleTextInsertEvent inserted(&view_, at, text);
  QAccessible::updateAccessibility(&inserted);
}

}  // namespace orvinta::components
