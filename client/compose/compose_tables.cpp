#include "client/compose/compose_tables.h"

#include <array>

#include "text/text_util.h"

namespace orvinta::compose {
namespace {

constexpr std::array<std::string_view, 4> kFaces = {"굴림", "바탕", "돋움", "궁서"};
constexpr std::array<std::string_view, 6> kSizes = {"8", "9", "10", "11", "13", "15"};

struct StyleLetter {
  int bit;
  char letter;
};
constexpr std::array<StyleLetter, 3> kStyleLetters = {{{kStyleBold, 'B'}, {kStyleItalic, 'I'}, {kStyleUnderline, 'U'}}};

}  // namespace

std::span<const std::string_view> FaceNames() { return kFaces; }

std::string_view FaceName(int code) {
  if (code < 1 || code > static_cast<int>(kFaces.size())) return kFaces[0];
  return kFaces[static_cast<std::size_t>(code - 1)];
}

int FaceCode(std::string_view name) {
  for (std::size_t i = 0; i < kFaces.size(); ++i) {
    if (kFaces[i] == name) return static_cast<int>(i) + 1;
  }
  return kDefaultFace;
}

std::span<const std::string_view> SizeEntries() { return kSizes; }

int SizeFromEntry(std::string_view entry) { return static_cast<int>(text::ParseLeadingInt(entry)); }

std::string StyleLetters(int styleBits) {
  std::string letters;
  for (const StyleLetter& s : kStyleLetters) {
    if (styleBits & s.bit) letters.push_back(s.letter);
  }
  return letters;
}

std::string HexColour(std::uint32_t colorref) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (int shift : {0, 8, 16}) {  // red, green, blue
    const unsigned byte = (colorref >> shift) & 0xFFu;
    out.push_back(kDigits[byte >> 4]);
    out.push_back(kDigits[byte & 0xF]);
  }
  return out;
}

}  // namespace orvinta::compose
