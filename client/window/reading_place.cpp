#include "client/window/reading_place.h"

namespace orvinta::window {

ReadingPlace::Move ReadingPlace::LinesAdded(std::size_t count, std::uint64_t first) {
  if (count == 0) return Move::Stay;
  if (!visible_ && seen_ && !markerPending_) {
    marker_ = first;
    markerPending_ = true;
    arrived_ = 0;
  }
  if (!visible_ || !following_) {
    arrived_ += count;
    return Move::Stay;
  }
  return Move::ToNewest;
}

void ReadingPlace::Scrolled(bool atBottom) {
  if (markerPending_) return;
  following_ = atBottom;
  if (atBottom) arrived_ = 0;
}

ReadingPlace::Move ReadingPlace::GoNewest() {
  following_ = true;
  markerPending_ = false;
  arrived_ = 0;
  return Move::ToNewest;
}

ReadingPlace::Move ReadingPlace::Shown(bool visible) {
  if (visible == visible_) return Move::Stay;
  visible_ = visible;
  if (!visible) return Move::Stay;
  seen_ = true;
  if (markerPending_) {
    // The view goes to the marker and tells where that left it (Scrolled).
    markerPending_ = false;
    following_ = false;
    return Move::ToMarker;
  }
  if (following_) arrived_ = 0;
  return following_ ? Move::ToNewest : Move::Stay;
}

void ReadingPlace::Cleared() {
  following_ = true;
  markerPending_ = false;
  arrived_ = 0;
  marker_.reset();
}

}  // namespace orvinta::window
