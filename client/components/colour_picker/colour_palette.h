#pragma once
// The picker's 40 named colours in display order (8 to a row); the name is
// the swatch's tooltip. Colours are 0x00BBGGRR.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvinta::components {

struct PaletteColour {
  std::uint32_t colour;
  std::string_view name;
};

constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

std::span<const PaletteColour> Palette();

// Index of a colour in the palette, -1 when it is not one of them.
int PaletteIndexOf(std::uint32_t colour);

// What a colour is called: its palette name, else "#RRGGBB".
std::string ColourName(std::uint32_t colour);

}  // namespace orvinta::components
