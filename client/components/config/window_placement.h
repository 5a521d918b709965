#pragma once
// Where the main window opens from the stored rectangle.
#include <vector>

#include "client/components/config/config_values.h"
#include "platform/window_host.h"

namespace orvinta::config {

// A part at least this large must show on a screen for the window to count
// as being on it.
inline constexpr int kMinVisiblePart = 50;
// Each window opened while others of the program are open stands this much
// lower and further right than the one before.
inline constexpr int kCascadeStep = 24;

// The stored rectangle when it is at least 600 x 415; otherwise the current
// position at 600 x 415. A rectangle never placed (the defaults of a first
// start) is centred on the first screen. With `earlierWindows` of the program
// open it cascades from there. The result lies wholly inside the work area of
// the screen it shows on (or of the nearest), where it fits. No screens: no move.
// Left and top are the window's outer corner, its frame included.
platform::WindowRect PlaceMainWindow(const ConfigValues& stored, const platform::WindowRect& current,
                                     const std::vector<platform::WindowRect>& screens, int earlierWindows = 0);

// What is stored when the window closes: its normal (not maximised) rectangle.
void StoreWindowRect(const platform::WindowRect& normal, ConfigValues& values);

}  // namespace orvinta::config
