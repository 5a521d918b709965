#include "client/components/input/input_line_growth.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

namespace orvinta::components {

InputLineGrowth::InputLineGrowth(QTextEdit& input, QWidget& field)
    : QObject(&input), input_(input), field_(field), inputHeight_(input.height()), fieldHeight_(field.height()) {
  // Grown, both lie over their neighbours above.
  field_.raise();
  input_.raise();
  input_.installEventFilter(this);
  field_.installEventFilter(this);
  // Also when the text wraps anew in a wider or narrower line.
  connect(input_.document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
          [this] { Apply(); });
}

bool InputLineGrowth::eventFilter(QObject*, QEvent* event) {
  // Placed anew at its normal height (a window resize): grown again.
  if (event->type() == QEvent::Resize &&
      (input_.height() != inputHeight_ + extra_ || field_.height() != fieldHeight_ + extra_)) {
    Apply();
  }
  return false;
}

int InputLineGrowth::WantedExtra() const {
  const int lineHeight = QFontMetrics(input_.document()->defaultFont()).lineSpacing();
  const int content = static_cast<int>(std::ceil(input_.document()->size().height())) + 2 * input_.frameWidth();
  return std::clamp(content - inputHeight_, 0, (kMaxLines - 1) * lineHeight);
}

void InputLineGrowth::Apply() {
  extra_ = WantedExtra();
  SetHeight(field_, fieldHeight_ + extra_);
  SetHeight(input_, inputHeight_ + extra_);
  if (extra_ > 0) input_.ensureCursorVisible();
}

void InputLineGrowth::SetHeight(QWidget& widget, int height) {
  const QRect now = widget.geometry();
  if (now.height() == height) return;
  widget.setGeometry(now.left(), now.bottom() + 1 - height, now.width(), height);
}

}  // namespace orvinta::components
