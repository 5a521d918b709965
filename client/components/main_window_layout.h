#pragma once
// Where the main window's controls stand at its designed client size, and
// which anchors they follow when the window is resized. Plain data: the
// window places each control on its rectangle and registers it with these
// anchors; tests run the same table through the anchor arithmetic.
#include <array>

#include "client/components/main_window_slots.h"
#include "client/components/resize/anchor_layout.h"
#include "client/components/pixel_geometry.h"
#include "platform/window_host.h"

namespace orvinta::components::main_layout {

inline constexpr Size kDesigned{platform::kMinWindowWidth, platform::kMinWindowHeight};


struct Placement {
  Slot slot;
  Rect rect;  // at the designed size
  Anchor topLeft;
  Anchor bottomRight;
};

constexpr Rect At(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

// The bottom 93 pixels hold the composer and the status row; they keep their
// height, and everything above them takes what the window gains.
inline constexpr std::array<Placement, 14> kPlacements{{
    {Slot::NavigationBar, At(0, 0, 600, 28), kAnchorTopLeft, kAnchorTopRight},
    {Slot::Tabs, At(15, 37, 570, 26), kAnchorTopLeft, kAnchorTopRight},
    {Slot::Title, At(15, 63, 570, 22), kAnchorTopLeft, kAnchorTopRight},
    {Slot::LeftBand, At(9, 88, 6, 230), kAnchorTopLeft, kAnchorBottomLeft},
    {Slot::RightBand, At(585, 88, 6, 230), kAnchorTopRight, kAnchorBottomRight},
    {Slot::Views, At(15, 88, 380, 230), kAnchorTopLeft, kAnchorBottomRight},
    {Slot::Pane, At(399, 88, 186, 230), kAnchorTopRight, kAnchorBottomRight},
    {Slot::ComposerBand, At(9, 322, 582, 69), kAnchorBottomLeft, kAnchorBottomRight},
    {Slot::Toolbar, At(15, 325, 570, 22), kAnchorBottomLeft, kAnchorBottomRight},
    {Slot::InputField, At(15, 349, 570, 39), kAnchorBottomLeft, kAnchorBottomRight},
    {Slot::Input, At(19, 351, 551, 35), kAnchorBottomLeft, kAnchorBottomRight},
    {Slot::StatusLabel, At(15, 393, 80, 20), kAnchorBottomLeft, kNoAnchor},
    {Slot::StatusCombo, At(97, 393, 130, 20), kAnchorBottomLeft, kNoAnchor},
    {Slot::EndButton, At(505, 393, 80, 20), kAnchorBottomRight, kNoAnchor},
}};

constexpr const Placement& PlacementOf(Slot slot) {
  for (const Placement& p : kPlacements) {
    if (p.slot == slot) return p;
  }
  return kPlacements[0];
}

}  // namespace orvinta::components::main_layout
