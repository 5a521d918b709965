#include "client/components/transcript/transcript_accessible.h"

#include <QStringList>

#include "client/components/transcript/transcript_widget.h"

namespace orvinta::components {
namespace {

QAccessibleInterface* Make(const QString&, QObject* object) {
  auto* view = qobject_cast<TranscriptWidget*>(object);
  return view ? new TranscriptAccessible(view) : nullptr;
}

}  // namespace

TranscriptAccessible::TranscriptAccessible(TranscriptWidget* view)
    : QAccessibleWidget(view, QAccessible::EditableText, QStringLiteral("대화 내용")) {}

void TranscriptAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(Make);
    return true;
  }();
  (void)installed;
}

TranscriptWidget* TranscriptAccessible::View() const { return static_cast<TranscriptWidget*>(widget()); }

void* TranscriptAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TranscriptAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.readOnly = true;
  s.multiLine = true;
  return s;
}

QString TranscriptAccessible::Text() const {
  const auto [first, last] = View()->LinesOnScreen();
  QStringList lines;
  // The dropped lines' notice is a row above the oldest line.
  if (first == 0 && !View()->DroppedNoticeText().isEmpty()) lines << View()->DroppedNoticeText();
  for (std::size_t i = first; i < last; ++i) lines << View()->LineText(i);
  return lines.join(QLatin1Char('\n'));
}

void TranscriptAccessible::selection(int, int* start, int* end) const { *start = *end = 0; }

QString TranscriptAccessible::text(int start, int end) const {
  const QString all = Text();
  if (end < 0 || end > all.size()) end = static_cast<int>(all.size());
  start = std::clamp(start, 0, end);
  return all.mid(start, end - start);
}

QString TranscriptAccessible::attributes(int offset, int* start, int* end) const {
  *start = *end = offset;
  return {};
}

}  // namespace orvinta::components
