#include "client/components/input/static_title.h"

#include <QPainter>

#include "client/components/input/frame_painting.h"

namespace orvinta::components {

void CStaticTitle::SetText(const QString& text) {
  text_ = text;
  update();
}

void CStaticTitle::SetHidden(bool hidden) {
  hidden_ = hidden;
  update();
}

void CStaticTitle::paintEvent(QPaintEvent*) {
  const QRect area = rect();
  if (hidden_ || area.isEmpty()) return;
  QPainter painter(this);
  painter.fillRect(area, frame::kTitleBar);
  frame::RoundCorners(painter, area, frame::kWhite, true, true);
  frame::DrawCaption(painter, area.adjusted(8, 5, -8, -5), text_, frame::kWhite, true);
}

}  // namespace orvinta::components
