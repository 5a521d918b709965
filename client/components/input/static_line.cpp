#include "client/components/input/static_line.h"

#include <QPainter>
#include <array>

#include "client/components/input/frame_painting.h"

namespace orvinta::components {
namespace {

enum class Edge { Left, Right };

struct Band {
  Edge edge;
  int offset;  // from that edge
  int width;
  const QColor* colour;
};

struct LineStyle {
  const QColor* fill;
  std::array<Band, 3> bands;
  int bandCount;
  bool roundTop;
  bool roundBottom;
  bool caption;
};

using frame::kBand, frame::kDarkLine, frame::kDarkerLine, frame::kLightBand, frame::kWhite, frame::kWindow;

// Styles 1 to 9, in order.
const std::array<LineStyle, CStaticLine::kStyleCount> kStyles = {{
    // 1: left edge of a panel
    {&kWindow, {{{Edge::Left, 0, 1, &kDarkerLine}, {Edge::Left, 1, 3, &kBand}, {Edge::Left, 4, 2, &kLightBand}}}, 3, false, false, false},
    // 2: right edge of a panel
    {&kWindow, {{{Edge::Right, 0, 1, &kDarkerLine}, {Edge::Right, 1, 3, &kBand}, {Edge::Right, 4, 2, &kLightBand}}}, 3, false, false, false},
    // 3: thin separator
    {&kWindow, {{{Edge::Left, 0, 1, &kDarkLine}, {Edge::Left, 1, 1, &kWhite}}}, 2, false, false, false},
    // 4: grey strip
    {&kBand, {{{Edge::Left, 0, 1, &kDarkerLine}, {Edge::Right, 0, 1, &kDarkerLine}}}, 2, true, true, false},
    // 5: top of a light panel
    {&kLightBand, {{{Edge::Left, 0, 1, &kDarkLine}, {Edge::Right, 0, 1, &kDarkLine}}}, 2, true, false, false},
    // 6: bottom of a light panel
    {&kLightBand, {{{Edge::Left, 0, 1, &kDarkLine}, {Edge::Right, 0, 1, &kDarkLine}}}, 2, false, true, false},
    // 7: captioned light panel
    {&kLightBand, {{{Edge::Left, 0, 1, &kDarkerLine}, {Edge::Left, 1, 16, &kBand}, {Edge::Right, 0, 1, &kDarkerLine}}}, 3, true, true, true},
    // 8: captioned white panel
    {&kWhite, {{{Edge::Left, 0, 1, &kDarkLine}, {Edge::Left, 1, 16, &kLightBand}, {Edge::Right, 0, 1, &kDarkLine}}}, 3, true, true, true},
    // 9: white field
    {&kWhite, {{{Edge::Left, 0, 1, &kDarkLine}, {Edge::Right, 0, 1, &kDarkLine}}}, 2, true, true, false},
}};

QRect BandRect(const QRect& area, const Band& band) {
  const int x = band.edge == Edge::Left ? band.offset : area.width() - band.offset - band.width;
  return QRect(x, 0, band.width, area.height()).intersected(area);
}

}  // namespace

void CStaticLine::SetStyle(int style, bool hidden) {
  style_ = style;
  hidden_ = hidden;
  caption_.clear();
  update();
}

void CStaticLine::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void CStaticLine::paintEvent(QPaintEvent*) {
  const QRect area = rect();
  if (hidden_ || area.isEmpty() || style_ < 1 || style_ > kStyleCount) return;
  const LineStyle& style = kStyles[static_cast<std::size_t>(style_ - 1)];
  QPainter painter(this);
  painter.fillRect(area, *style.fill);
  for (int i = 0; i < style.bandCount; ++i) painter.fillRect(BandRect(area, style.bands[i]), *style.bands[i].colour);
  frame::RoundCorners(painter, area, kWindow, style.roundTop, style.roundBottom);
  if (style.caption) frame::DrawCaption(painter, area.adjusted(24, 7, -8, 0), caption_, frame::kCaptionText, false);
}

}  // namespace orvinta::components
