#pragma once
// The frame drawn round each answer button: a white field, a grey outer line
// with cut corners and a light inner line.
#include <vector>

#include "client/components/notifier/notifier_geometry.h"

namespace orvinta::components {

inline constexpr Rgb kButtonFill = Rgb::FromHex(0xFFFFFF);
inline constexpr Rgb kButtonOuter = Rgb::FromHex(0x747474);  // RGB(116,116,116)
inline constexpr Rgb kButtonInner = Rgb::FromHex(0xEFEFEF);  // RGB(239,239,239)

// One filled rectangle (a line is one pixel thick, a point one pixel square).
struct FrameStroke {
  Rect area;
  Rgb colour;
  bool operator==(const FrameStroke&) const = default;
};

// The strokes for a button area, to be painted in order (later ones cover
// earlier ones). Lines end one pixel short of their end point, as drawn lines do.
std::vector<FrameStroke> ButtonFrame(const Rect& button);

}  // namespace orvinta::components
