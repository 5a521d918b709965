#pragma once
// The 32 emoticon keywords, in picker order; entry i shows icon_<i+1>.gif.
// Keywords travel as text; receivers turn them into pictures.
#include <array>
#include <string_view>

namespace orvinta::compose {

struct Emoticon {
  std::string_view keyword;
  std::string_view image;
};

extern const std::array<Emoticon, 32> kEmoticons;

}  // namespace orvinta::compose
