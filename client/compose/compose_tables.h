#pragma once
// The choices of the composing toolbar: faces, sizes and style bits. The
// Korean names live in the .cpp so that this header can be included by the
// UTF-8 widget code as well; the texts returned are code page 949 bytes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvinta::compose {

inline constexpr int kStyleBold = 1;
inline constexpr int kStyleItalic = 2;
inline constexpr int kStyleUnderline = 4;
inline constexpr int kEffectStrikeOut = 8;  // the rich edit's effect bits share 1, 2, 4 with the style

// What a new room composes with, and what a received line's field falls back
// to when it is not what it must be. Colours are 0x00BBGGRR.
inline constexpr int kDefaultFace = 1;
inline constexpr int kDefaultSize = 9;
inline constexpr std::uint32_t kDefaultTextColour = 0x212121;
inline constexpr std::uint32_t kDefaultBackColour = 0xFFFFFF;

// "굴림", "바탕", "돋움", "궁서": the face list in order; a face's code is its position + 1.
std::span<const std::string_view> FaceNames();
// Any code outside 1..4 is "굴림".
std::string_view FaceName(int code);
// 2 for "바탕", 3 for "돋움", 4 for "궁서", otherwise 1.
int FaceCode(std::string_view name);

// "8", "9", "10", "11", "13", "15".
std::span<const std::string_view> SizeEntries();
// The entry's text read as a decimal number.
int SizeFromEntry(std::string_view entry);

// "B", "I", "U" for the set bits, in that order.
std::string StyleLetters(int styleBits);

// "RRGGBB" of a 0x00BBGGRR colour.
std::string HexColour(std::uint32_t colorref);

}  // namespace orvinta::compose
