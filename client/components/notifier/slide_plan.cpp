#include "client/components/notifier/slide_plan.h"

#include <algorithm>

namespace orvinta::components {

SlidePlan PlanSlide(int durationMs, int tickMs, int height) {
  height = std::max(height, 1);
  tickMs = std::max(tickMs, 1);
  if (tickMs < durationMs) {
    const int steps = std::clamp((durationMs / tickMs) / 2, 1, height);
    return {steps, height / steps, durationMs / steps};
  }
  return {1, height, tickMs};
}

int StepToward(int current, int target, int stepPixels) {
  const int step = std::max(stepPixels, 1);
  return current < target ? std::min(current + step, target) : std::max(current - step, target);
}

}  // namespace orvinta::components
