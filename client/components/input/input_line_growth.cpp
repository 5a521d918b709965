#include "client/components/input/input_line_growth.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace orvinta::components {
namespace {

QRect WithHeight(const QRect& now, int height) { return {now.left(), now.bottom() + 1 - height, now.width(), height}; }

void Place(QWidget& widget, const QRect& rect) {
  if (widget.geometry() != rect) widget.setGeometry(rect);
}

}  // namespace

InputLineGrowth::InputLineGrowth(QTextEdit& input, const std::vector<QWidget*>& growing,
                                 const std::vector<QWidget*>& riding)
    : QObject(&input), input_(input), inputHeight_(input.height()) {
  input_.installEventFilter(this);
  for (QWidget* widget : growing) {
    if (!widget) continue;
    growing_.push_back({widget, widget->height()});
    widget->installEventFilter(this);
  }
  for (QWidget* widget : riding) {
    if (!widget) continue;
    riding_.push_back({widget, input.geometry().bottom() - widget->geometry().top()});
    widget->installEventFilter(this);
  }
  // Also when the text wraps anew in a wider or narrower line.
  connect(input_.document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
          [this] { Apply(); });
}

bool InputLineGrowth::eventFilter(QObject*, QEvent* event) {
  // Placed anew at its normal place (a window resize): grown again.
  if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) && !InPlace()) Apply();
  return false;
}

int InputLineGrowth::WantedExtra() const {
  const int lineHeight = QFontMetrics(input_.document()->defaultFont()).lineSpacing();
  const int content = static_cast<int>(std::ceil(input_.document()->size().height())) + 2 * input_.frameWidth();
  return std::clamp(content - inputHeight_, 0, (kMaxLines - 1) * lineHeight);
}

bool InputLineGrowth::InPlace() const {
  if (input_.height() != inputHeight_ + extra_) return false;
  for (const Grown& g : growing_) {
    if (g.widget && g.widget->height() != g.height + extra_) return false;
  }
  for (const Riding& r : riding_) {
    if (r.widget && r.widget->geometry().top() != input_.geometry().bottom() - r.aboveInputBottom - extra_) return false;
  }
  return true;
}

void InputLineGrowth::Apply() {
  extra_ = WantedExtra();
  Place(input_, WithHeight(input_.geometry(), inputHeight_ + extra_));
  const int bottom = input_.geometry().bottom();
  for (const Grown& g : growing_) {
    if (g.widget) Place(*g.widget, WithHeight(g.widget->geometry(), g.height + extra_));
  }
  for (const Riding& r : riding_) {
    if (!r.widget) continue;
    QRect rect = r.widget->geometry();
    rect.moveTop(bottom - r.aboveInputBottom - extra_);
    Place(*r.widget, rect);
  }
  if (extra_ == 0) return;
  // Grown, they lie over the transcript, back to front.
  for (const Grown& g : growing_) {
    if (g.widget) g.widget->raise();
  }
  for (const Riding& r : riding_) {
    if (r.widget) r.widget->raise();
  }
  input_.raise();
  input_.ensureCursorVisible();
}

}  // namespace orvinta::components
