#pragma once
// Points, sizes, rectangles and colours of the drawn window parts, in
// pixels. Right and bottom lie one past the last pixel, as in a window
// rectangle, so width = right - left.
#include <cstdint>

namespace orvinta::components {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }
  // A close box counts its right and bottom edges too.
  constexpr bool ContainsInclusive(Point p) const {
    return !IsEmpty() && p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  }
  constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect MovedDown(int dy) const { return Offset(0, dy); }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  // Written as 0xRRGGBB (0xFF0000 is red).
  static constexpr Rgb FromHex(std::uint32_t rrggbb) {
    return {static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
            static_cast<std::uint8_t>(rrggbb)};
  }
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace orvinta::components
