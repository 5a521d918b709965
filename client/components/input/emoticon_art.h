#pragma once
// The pictures of the 32 emoticons, the same drawings the portal serves for
// the transcript, compiled in at 1x (20 x 20) and 2x (40 x 40, "@2x").
#include <QIcon>
#include <QImage>
#include <QString>
#include <cstddef>

namespace orvinta::components {

inline constexpr int kEmoticonPixels = 20;

std::size_t EmoticonCount();
// A null image outside the table. At a ratio above 1 the 2x picture, which
// still measures kEmoticonPixels in device-independent pixels.
QImage EmoticonImage(std::size_t index, qreal devicePixelRatio = 1.0);
// Both sizes, for buttons and menus; a null icon outside the table.
QIcon EmoticonIcon(std::size_t index);
// The keyword as the user reads it ("/미소").
QString EmoticonKeyword(std::size_t index);

}  // namespace orvinta::components
