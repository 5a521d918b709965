#include "client/components/resize/anchor_layout.h"

#include <algorithm>

namespace orvinta::components {

void AnchorLayout::AddAnchor(std::uintptr_t child, const Rect& childRect, Size client, Anchor topLeft,
                             Anchor bottomRight) {
  if (bottomRight == kNoAnchor) bottomRight = topLeft;
  Entry entry{child,
              topLeft,
              childRect.left - AnchorOffset(client.width, topLeft.x),
              childRect.top - AnchorOffset(client.height, topLeft.y),
              bottomRight,
              childRect.right - AnchorOffset(client.width, bottomRight.x),
              childRect.bottom - AnchorOffset(client.height, bottomRight.y)};
  const auto known = std::find_if(entries_.begin(), entries_.end(), [child](const Entry& e) { return e.child == child; });
  if (known != entries_.end()) {
    *known = entry;
  } else {
    entries_.push_back(entry);
  }
}

void AnchorLayout::RemoveAnchor(std::uintptr_t child) {
  std::erase_if(entries_, [child](const Entry& e) { return e.child == child; });
}

bool AnchorLayout::Contains(std::uintptr_t child) const {
  return std::any_of(entries_.begin(), entries_.end(), [child](const Entry& e) { return e.child == child; });
}

std::optional<Rect> AnchorLayout::RectFor(std::uintptr_t child, Size client) const {
  for (const Entry& entry : entries_) {
    if (entry.child == child) return Place(entry, client);
  }
  return std::nullopt;
}

Rect AnchorLayout::Place(const Entry& entry, Size client) {
  return {AnchorOffset(client.width, entry.topLeft.x) + entry.dx1,
          AnchorOffset(client.height, entry.topLeft.y) + entry.dy1,
          AnchorOffset(client.width, entry.bottomRight.x) + entry.dx2,
          AnchorOffset(client.height, entry.bottomRight.y) + entry.dy2};
}

}  // namespace orvinta::components
