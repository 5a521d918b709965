#include "client/components/config/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <climits>
#include <limits>

namespace orvinta::config {
namespace {

using platform::WindowRect;

// Edges in 64 bits: stored values are any 32-bit numbers.
std::int64_t Right(const WindowRect& r) { return std::int64_t{r.left} + r.width; }
std::int64_t Bottom(const WindowRect& r) { return std::int64_t{r.top} + r.height; }

std::int64_t Overlap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
  return std::max<std::int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

bool ShowsEnoughOn(const WindowRect& window, const WindowRect& screen) {
  const auto wide = Overlap(window.left, Right(window), screen.left, Right(screen));
  const auto high = Overlap(window.top, Bottom(window), screen.top, Bottom(screen));
  return wide >= std::min<std::int64_t>(kMinVisiblePart, window.width) &&
         high >= std::min<std::int64_t>(kMinVisiblePart, window.height) && wide > 0 && high > 0;
}

// Distance along one axis between two spans; 0 when they overlap.
std::int64_t Gap(std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
  if (a1 < b0) return b0 - a1;
  if (b1 < a0) return a0 - b1;
  return 0;
}

// Moves a span inside another, its start first when it does not fit.
int Clamp(std::int64_t start, std::int64_t size, std::int64_t lo, std::int64_t hi) {
  if (start + size > hi) start = hi - size;
  if (start < lo) start = lo;
  return static_cast<int>(start);
}

}  // namespace

WindowRect PlaceMainWindow(const ConfigValues& stored, const WindowRect& current,
                           const std::vector<WindowRect>& screens, int earlierWindows) {
  WindowRect rect{current.left, current.top, kDefaultWindowWidth, kDefaultWindowHeight};
  const bool sized = stored.WindowWidth >= kDefaultWindowWidth && stored.WindowHeight >= kDefaultWindowHeight;
  if (sized) rect = {stored.WindowLeft, stored.WindowTop, stored.WindowWidth, stored.WindowHeight};
  if (screens.empty()) return rect;
  const bool neverPlaced = ConfigValues{}.WindowLeft == stored.WindowLeft && ConfigValues{}.WindowTop == stored.WindowTop &&
                           stored.WindowWidth == kDefaultWindowWidth && stored.WindowHeight == kDefaultWindowHeight;
  if (neverPlaced) {
    const WindowRect& first = screens.front();
    rect.left = static_cast<int>(first.left + (std::int64_t{first.width} - rect.width) / 2);
    rect.top = static_cast<int>(first.top + (std::int64_t{first.height} - rect.height) / 2);
  }
  const WindowRect* home = nullptr;
  for (const WindowRect& screen : screens) {
    if (ShowsEnoughOn(rect, screen)) {
      home = &screen;
      break;
    }
  }
  if (!home) {
    home = &screens.front();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (const WindowRect& screen : screens) {
      const auto dx = Gap(rect.left, Right(rect), screen.left, Right(screen));
      const auto dy = Gap(rect.top, Bottom(rect), screen.top, Bottom(screen));
      // Squares of 32-bit distances stay below 2^63 only when halved first.
      const auto distance = (dx / 2) * (dx / 2) + (dy / 2) * (dy / 2);
      if (distance < best) {
        best = distance;
        home = &screen;
      }
    }
  }
  if (earlierWindows > 0) {
    // The cascade starts again from the first place when it would leave the screen.
    const std::int64_t room = std::min(std::int64_t{home->width} - rect.width, std::int64_t{home->height} - rect.height);
    const std::int64_t steps = std::max<std::int64_t>(1, room / kCascadeStep + 1);
    const std::int64_t offset = kCascadeStep * (earlierWindows % steps);
    rect.left = static_cast<int>(std::clamp<std::int64_t>(rect.left + offset, INT32_MIN, INT32_MAX));
    rect.top = static_cast<int>(std::clamp<std::int64_t>(rect.top + offset, INT32_MIN, INT32_MAX));
  }
  rect.left = Clamp(rect.left, rect.width, home->left, Right(*home));
  rect.top = Clamp(rect.top, rect.height, home->top, Bottom(*home));
  return rect;
}

void StoreWindowRect(const WindowRect& normal, ConfigValues& values) {
  values.WindowLeft = normal.left;
  values.WindowTop = normal.top;
  values.WindowWidth = normal.width;
  values.WindowHeight = normal.height;
}

}  // namespace orvinta::config
