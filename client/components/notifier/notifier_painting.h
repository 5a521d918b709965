#pragma once
// Paints a popup's scene: the uncovered part of the skin, the lines of text,
// the button frames and their labels.
#include <QFont>
#include <QPainter>
#include <QString>

#include "client/components/notifier/notifier_layout.h"

namespace orvinta::components {

QFont FontOf(const FontSpec& spec);

// The one line as drawn in `width` pixels: cut with "…" at the end when asked
// and needed. The stored text is never touched.
QString LineAsDrawn(const QString& line, const QFont& font, int width, const TextPlacement& placement);

void PaintNotifier(QPainter& painter, const NotifierScene& scene, qreal devicePixelRatio);

}  // namespace orvinta::components
