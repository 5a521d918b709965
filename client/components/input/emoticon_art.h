#pragma once
// The 20 x 20 pictures of the 32 emoticons, drawn at run time: a face in a
// colour of its own carrying the first syllable of its keyword.
#include <QImage>
#include <QString>
#include <cstddef>

namespace orvinta::components {

inline constexpr int kEmoticonPixels = 20;

std::size_t EmoticonCount();
// A null image outside the table.
QImage EmoticonImage(std::size_t index);
// The keyword as the user reads it ("/미소").
QString EmoticonKeyword(std::size_t index);

}  // namespace orvinta::components
