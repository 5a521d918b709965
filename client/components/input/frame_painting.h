#pragma once
// The palette and the small drawing steps shared by the frame statics.
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

namespace orvinta::components::frame {

inline const QColor kDarkLine{212, 212, 212};
inline const QColor kDarkerLine{179, 179, 179};
inline const QColor kBand{227, 227, 227};
inline const QColor kLightBand{243, 243, 243};
inline const QColor kWhite{255, 255, 255};
inline const QColor kWindow{252, 252, 252};
inline const QColor kInputStrip{238, 250, 255};
inline const QColor kTitleBar{136, 198, 149};
inline const QColor kCaptionText{102, 102, 102};

// Rounds corners of `area` by painting three pixels of `colour` in each:
// the corner, and the one beside it in both directions.
void RoundCorners(QPainter& painter, const QRect& area, const QColor& colour, bool top, bool bottom);

// One line of text in a 12-pixel "굴림", cut with an ellipsis when it does not fit.
void DrawCaption(QPainter& painter, const QRect& box, const QString& text, const QColor& colour, bool bold);

}  // namespace orvinta::components::frame
