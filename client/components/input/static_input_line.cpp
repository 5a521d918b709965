#include "client/components/input/static_input_line.h"

#include <QPainter>

#include "client/components/input/frame_painting.h"

namespace orvinta::components {
void CStaticInputLine::SetHidden(bool hidden) {
  hidden_ = hidden;
  update();
}

void CStaticInputLine::paintEvent(QPaintEvent*) {
  const QRect area = rect();
  if (hidden_ || area.isEmpty()) return;
  QPainter painter(this);
  painter.fillRect(area, frame::kWindow);

  const int fieldRight = area.width() - kInputStripWidth - 1;  // last column of the white field
  const int last = area.height() - 1;
  for (int y = 0; y <= last; ++y) {
    // Rows 0 and 1 and the last two are shortened at both ends to round the corners.
    const int inset = (y == 0 || y == last) ? 2 : (y == 1 || y == last - 1) ? 1 : 0;
    if (fieldRight - inset >= inset) painter.fillRect(QRect(QPoint(inset, y), QPoint(fieldRight - inset, y)), frame::kWhite);
  }
  painter.fillRect(QRect(area.width() - kInputStripWidth, 0, kInputStripWidth, area.height()), frame::kInputStrip);
}

}  // namespace orvinta::components
