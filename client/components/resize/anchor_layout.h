#pragma once
// The anchor arithmetic behind resizing: each child keeps two corners at fixed
// distances from two anchor points, given as percentages of the parent's
// client size. Plain integers in, plain rectangles out.
#include <cstdint>
#include <optional>
#include <vector>

#include "client/components/pixel_geometry.h"

namespace orvinta::components {

struct Anchor {
  int x = 0;  // percent of the client width, or -1 with y for "no anchor"
  int y = 0;  // percent of the client height
  friend constexpr bool operator==(const Anchor&, const Anchor&) = default;
};

inline constexpr Anchor kAnchorTopLeft{0, 0};
inline constexpr Anchor kAnchorTopCentre{50, 0};
inline constexpr Anchor kAnchorTopRight{100, 0};
inline constexpr Anchor kAnchorMiddleLeft{0, 50};
inline constexpr Anchor kAnchorMiddleCentre{50, 50};
inline constexpr Anchor kAnchorMiddleRight{100, 50};
inline constexpr Anchor kAnchorBottomLeft{0, 100};
inline constexpr Anchor kAnchorBottomCentre{50, 100};
inline constexpr Anchor kAnchorBottomRight{100, 100};
inline constexpr Anchor kNoAnchor{-1, -1};

// Where a child goes after a size change, and what changed for it.
struct Placement {
  std::uintptr_t child = 0;
  Rect rect;
  bool moved = false;
  bool resized = false;
};

class AnchorLayout {
 public:
  // Records the child's distances from its anchors, measured with the parent's
  // client size as it is now. A second corner of kNoAnchor follows the first,
  // so the child moves and keeps its size. Adding a known child replaces it.
  void AddAnchor(std::uintptr_t child, const Rect& childRect, Size client, Anchor topLeft,
                 Anchor bottomRight = kNoAnchor);
  void RemoveAnchor(std::uintptr_t child);
  bool Contains(std::uintptr_t child) const;
  std::size_t Count() const { return entries_.size(); }

  // The child's rectangle for a client size.
  std::optional<Rect> RectFor(std::uintptr_t child, Size client) const;

  // One batch for a size change: every child, in the order added, whose
  // rectangle changes; `current` tells where each one stands now.
  template <typename CurrentRect>
  std::vector<Placement> Arrange(Size client, CurrentRect current) const {
    std::vector<Placement> batch;
    batch.reserve(entries_.size());
    for (const Entry& entry : entries_) {
      const Rect now = current(entry.child);
      const Rect next = Place(entry, client);
      const bool moved = next.left != now.left || next.top != now.top;
      const bool resized = next.Width() != now.Width() || next.Height() != now.Height();
      if (moved || resized) batch.push_back({entry.child, next, moved, resized});
    }
    return batch;
  }

 private:
  struct Entry {
    std::uintptr_t child;
    Anchor topLeft;
    int dx1, dy1;
    Anchor bottomRight;
    int dx2, dy2;
  };
  static Rect Place(const Entry& entry, Size client);

  std::vector<Entry> entries_;  // in the order added
};

// The point of an anchor in a client area, truncated as integers truncate.
constexpr int AnchorOffset(int extent, int percent) { return extent * percent / 100; }

}  // namespace orvinta::components
