#pragma once
// The marks of the reader's place drawn over and between a transcript's
// lines: the unread marker's row and the new-lines bar.
#include <QPainter>
#include <QRect>
#include <QString>
#include <cstddef>

namespace orvinta::components::transcript {

inline constexpr int kMarkerHeight = 21;  // the unread marker's row

// The row "여기부터 읽지 않은 메시지" between two rules, from `top`.
void DrawUnreadMarker(QPainter& painter, int top, int width);

// The bar's text for `count` new lines.
QString NewLinesText(std::size_t count);
// The bar's pill at the bottom centre of a view of `size`, for a text `textWidth` wide.
QRect NewLinesBarRect(QSize size, int textWidth);
// Draws the bar; the width its text takes as drawn (some glyphs reach past their advance).
int DrawNewLinesBar(QPainter& painter, QSize size, const QString& text);

}  // namespace orvinta::components::transcript
