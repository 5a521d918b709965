#pragma once
// The popup's points, rectangles and colours are the window parts' own, in
// the popup's client pixels.
#include "client/components/pixel_geometry.h"
