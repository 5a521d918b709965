#include "client/components/transcript/transcript_accessible.h"

#include <QStringList>

#include "client/components/accessible_parts.h"
#include "client/components/transcript/transcript_widget.h"

namespace orvinta::components {
namespace {

// The bar that counts new lines while the reader is scrolled up; pressing it goes to the newest.
class NewLinesBarAccessible final : public AccessibleLeaf, public QAccessibleActionInterface {
 public:
  explicit NewLinesBarAccessible(TranscriptAccessible* view) : AccessibleLeaf(view), view_(view) {}
  bool isValid() const override { return view_->isValid(); }
  QAccessible::Role role() const override { return QAccessible::Button; }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? View()->NewLinesBarText() : QString(); }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.invisible = s.offscreen = View()->NewLinesBarText().isEmpty();
    return s;
  }
  QRect rect() const override {
    const QRect bar = View()->BarRect();
    return QRect(View()->viewport()->mapToGlobal(bar.topLeft()), bar.size());
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {QStringLiteral("End")}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && isValid()) View()->GoNewest();
  }

 private:
  TranscriptWidget* View() const { return static_cast<TranscriptWidget*>(view_->object()); }
  TranscriptAccessible* view_;
};

}  // namespace

TranscriptAccessible::TranscriptAccessible(TranscriptWidget* view)
    : QAccessibleWidget(view, QAccessible::EditableText, QStringLiteral("대화 내용")) {}

void TranscriptAccessible::Install() { InstallAccessibleFactory<TranscriptWidget, TranscriptAccessible>(); }

TranscriptAccessible::~TranscriptAccessible() {
  if (bar_) QAccessible::deleteAccessibleInterface(bar_);
}

int TranscriptAccessible::childCount() const { return View()->NewLinesBarText().isEmpty() ? 0 : 1; }

QAccessibleInterface* TranscriptAccessible::child(int index) const {
  if (index != 0 || childCount() == 0) return nullptr;
  if (!bar_) bar_ = QAccessible::registerAccessibleInterface(new NewLinesBarAccessible(const_cast<TranscriptAccessible*>(this)));
  return QAccessible::accessibleInterface(bar_);
}

int TranscriptAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return bar_ && child == QAccessible::accessibleInterface(bar_) && childCount() > 0 ? 0 : -1;
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
