#pragma once
// The reader's place in a transcript: a view follows the newest line only
// while the reader is at the bottom; scrolled up, new lines are counted on a
// bar; lines that come while the view is hidden (once it has been seen) start
// behind an unread marker, where the view returns when shown again.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace orvinta::window {

class ReadingPlace {
 public:
  enum class Move { Stay, ToNewest, ToMarker };

  // `count` lines came, the first numbered `first`.
  Move LinesAdded(std::size_t count, std::uint64_t first);
  // The reader moved the view (wheel, bar, keys, a find): where it now is.
  void Scrolled(bool atBottom);
  // The bar, End, the user's own line: to the newest line.
  Move GoNewest();
  Move Shown(bool visible);
  void Cleared();

  bool Following() const { return following_; }
  // What the new-lines bar shows; 0: no bar.
  std::size_t BarCount() const { return visible_ && !following_ ? arrived_ : 0; }
  // The line the unread marker stands before, if any.
  std::optional<std::uint64_t> Marker() const { return marker_; }

 private:
  bool following_ = true;
  bool visible_ = false;
  bool seen_ = false;           // a view never shown has no place to return to
  bool markerPending_ = false;  // the next showing starts at the marker
  std::size_t arrived_ = 0;     // lines the reader has not been shown
  std::optional<std::uint64_t> marker_;
};

}  // namespace orvinta::window
