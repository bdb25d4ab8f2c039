#include "recorder/core/frame_timing.h"

#include <algorithm>
#include <cmath>

namespace recorder {

std::int64_t RoundHalfEven(double value) {
  // Written out rather than std::nearbyint so the result does not depend on the FPU's current
  // rounding mode, which foreign code (drivers, hooks) in the process may have changed.
  double floor = std::floor(value);
  double diff = value - floor;
  if (diff > 0.5) return static_cast<std::int64_t>(floor + 1);
  if (diff < 0.5) return static_cast<std::int64_t>(floor);
  return std::fmod(floor, 2.0) == 0.0 ? static_cast<std::int64_t>(floor)
                                      : static_cast<std::int64_t>(floor + 1);
}

std::int64_t FrameSlot(std::uint64_t t, std::int32_t msPerFrame) {
  if (msPerFrame <= 0) return 0;
  // Exact to the millisecond for 285,000 years: doubles hold integers up to 2^53.
  return RoundHalfEven(static_cast<double>(t) / msPerFrame);
}

SlotTracker::Decision SlotTracker::Next(std::uint64_t t, std::int32_t msPerFrame, SlotRule rule) {
  std::int64_t slot = rule == SlotRule::Begun && msPerFrame > 0
                          ? static_cast<std::int64_t>(t / static_cast<std::uint64_t>(msPerFrame))
                          : FrameSlot(t, msPerFrame);
  if (slot - 1 > countedUpTo_) {
    dropped_ += slot - 1 - countedUpTo_;
    countedUpTo_ = slot - 1;
  }
  return {slot, slot == 0 || slot > lastSlot_};
}

std::uint32_t SleepSlice(std::int32_t msPerFrame) {
  std::int32_t slice = msPerFrame / 10;
  return slice < 1 ? 1u : static_cast<std::uint32_t>(slice);
}

SleepPlan PlanSleep(std::int32_t msPerFrame, std::uint64_t elapsed) {
  SleepPlan plan;
  plan.slice = SleepSlice(msPerFrame);
  if (msPerFrame <= 0 || static_cast<std::uint64_t>(msPerFrame) <= elapsed) return plan;
  std::uint32_t remaining =
      static_cast<std::uint32_t>(msPerFrame - static_cast<std::int64_t>(elapsed));
  plan.slices = remaining / plan.slice;
  plan.rest = remaining - plan.slices * plan.slice;
  return plan;
}

SleepPlan PlanSleepToSlot(std::int32_t msPerFrame, std::uint64_t now, std::int64_t lastSlot,
                          std::uint32_t mostSlice) {
  SleepPlan plan;
  plan.slice = std::min(SleepSlice(msPerFrame), mostSlice > 0 ? mostSlice : 1u);
  if (msPerFrame <= 0) return plan;
  const std::uint64_t interval = static_cast<std::uint64_t>(msPerFrame);
  const std::uint64_t into = now % interval;
  if (static_cast<std::int64_t>(now / interval) > lastSlot && into <= kLateGrabMs) return plan;
  const std::uint32_t remaining = static_cast<std::uint32_t>(interval - into);
  plan.slices = remaining / plan.slice;
  plan.rest = remaining - plan.slices * plan.slice;
  return plan;
}

} // namespace recorder
