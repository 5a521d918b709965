#pragma once
// Where the main window opens from the stored rectangle.
#include <vector>

#include "client/components/config/config_values.h"
#include "platform/window_host.h"

namespace orvinta::config {

// A part at least this large must show on some screen, or the window is
// taken to be off all of them.
inline constexpr int kMinVisiblePart = 50;

// The stored rectangle when it is at least 600 x 415; otherwise the current
// position at 600 x 415. A rectangle that shows too little of itself on every
// screen is moved onto the nearest one (kept whole there when it fits).
// No screens: no move.
platform::WindowRect PlaceMainWindow(const ConfigValues& stored, const platform::WindowRect& current,
                                     const std::vector<platform::WindowRect>& screens);

// What is stored when the window closes: its normal (not maximised) rectangle.
void StoreWindowRect(const platform::WindowRect& normal, ConfigValues& values);

}  // namespace orvinta::config
