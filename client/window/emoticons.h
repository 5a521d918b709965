#pragma once
// The 32 emoticon keywords, in picker order; entry i shows icon_<i+1>.gif.
#include <array>
#include <string>
#include <string_view>

namespace orvinta::window {

struct Emoticon {
  std::string_view keyword;
  std::string_view image;
};

extern const std::array<Emoticon, 32> kEmoticons;

// Each keyword, in table order, replaced by its image tag under `base`.
std::string ReplaceEmoticons(std::string_view text, const std::string& base);

}  // namespace orvinta::window
