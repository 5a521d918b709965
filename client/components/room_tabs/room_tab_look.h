#pragma once
// How a room tab is painted: colour schemes chosen by whether the tab is
// current and whether its room has news the user has not seen, or news that
// names the user.
#include <cstdint>

#include "client/components/pixel_geometry.h"

namespace orvinta::components {

enum class TabLook { Current, Activity, Mention, Background };

struct TabScheme {
  Rgb fill;
  Rgb frame;
  Rgb highlight;
  Rgb text;
};

constexpr TabScheme SchemeOf(TabLook look) {
  switch (look) {
    case TabLook::Current:
      return {{255, 255, 255}, {179, 179, 179}, {235, 235, 235}, {1, 1, 1}};
    case TabLook::Activity:
      return {{233, 235, 170}, {181, 177, 124}, {254, 251, 186}, {155, 157, 95}};
    case TabLook::Mention:
      return {{250, 208, 180}, {196, 128, 96}, {255, 228, 208}, {160, 60, 20}};
    case TabLook::Background:
      break;
  }
  return {{235, 235, 235}, {179, 179, 179}, {255, 255, 255}, {153, 153, 153}};
}

// The line along the bottom of the strip.
inline constexpr Rgb kTabBaseLine{179, 179, 179};

// Image index of a tab that carries news; any other value means none.
inline constexpr int kTabImageActivity = 1;
inline constexpr int kTabImageMention = 2;

// The two close-box pictures, in image-list order.
enum class CloseIcon { Plain = 0, Activity = 1 };

}  // namespace orvinta::components
