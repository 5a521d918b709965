#pragma once
// How often a shown room's new lines are read out to screen readers: at once
// after a quiet second, and under a flood at most once a second, everything
// that came meanwhile read together.
#include <algorithm>
#include <cstdint>
#include <optional>

namespace orvinta::components {

class AnnouncementPace {
 public:
  static constexpr std::int64_t kGapMs = 1000;

  // Lines came at `nowMs`: how long until they are read (0: now), or nullopt
  // when a reading is already due and will take them along.
  std::optional<std::int64_t> LinesCame(std::int64_t nowMs) {
    if (due_) return std::nullopt;
    due_ = true;
    return last_ ? std::max<std::int64_t>(0, *last_ + kGapMs - nowMs) : 0;
  }
  void Read(std::int64_t nowMs) {
    due_ = false;
    last_ = nowMs;
  }

 private:
  bool due_ = false;
  std::optional<std::int64_t> last_;
};

}  // namespace orvinta::components
