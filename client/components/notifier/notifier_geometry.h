#pragma once
// Points, rectangles and colours of the popup, in its own client pixels.
#include <cstdint>

namespace orvinta::components {

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

// Right and bottom are exclusive, as in a window rectangle.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  // The close box counts its right and bottom edges too.
  bool ContainsInclusive(Point p) const {
    return !IsEmpty() && p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  }
  Rect MovedDown(int dy) const { return {left, top + dy, right, bottom + dy}; }
  bool operator==(const Rect&) const = default;
};

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  // Callers write colours as 0xRRGGBB (0xFF0000 is red).
  static constexpr Rgb FromHex(std::uint32_t rrggbb) {
    return {static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
            static_cast<std::uint8_t>(rrggbb)};
  }
  bool operator==(const Rgb&) const = default;
};

}  // namespace orvinta::components
