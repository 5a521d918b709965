#pragma once
// How the popup grows and shrinks: the number of steps, the pixels per step and
// the milliseconds between steps for one slide.
namespace orvinta::components {

inline constexpr int kNtTickMs = 10;      // the tick of the NT family, which this program always uses
inline constexpr int kLegacyTickMs = 50;  // the older systems' tick, kept for the arithmetic's sake

struct SlidePlan {
  int steps = 1;
  int stepPixels = 0;
  int intervalMs = 1;
  bool operator==(const SlidePlan&) const = default;
};

// Half as many steps as ticks fit in the slide, never more than the height
// and never none; one step of the full height when the slide is not longer
// than a tick. A height below 1 counts as 1, so nothing divides by zero.
SlidePlan PlanSlide(int durationMs, int tickMs, int height);

// The next step from `current` towards `target`: never past it, so a step
// that does not divide the height evenly does not overshoot.
int StepToward(int current, int target, int stepPixels);

}  // namespace orvinta::components
