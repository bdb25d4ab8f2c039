// Time-based frame slots of a recording: each captured frame goes to the slot its capture time
// falls into, so the file keeps the real spacing of the captures. Times and slots are 64-bit: a
// recording may run for months (at 1 ms per frame the slot passes 2^31 after 24.8 days), and the
// system's 32-bit millisecond clock wraps every 49.7 days.
#pragma once

#include <cstdint>

namespace recorder {

// Rounds a non-negative quotient to the nearest integer, halves to the even neighbour.
std::int64_t RoundHalfEven(double value);

// Slot of a capture taken t ms after the loop began, with slots msPerFrame long.
std::int64_t FrameSlot(std::uint64_t t, std::int32_t msPerFrame);

// Milliseconds since a start, from readings of a 32-bit millisecond clock (timeGetTime) that
// wraps to 0 after 2^32 ms. Each reading adds its distance from the one before, so the wrap is
// crossed as long as readings come less than 49.7 days apart.
class RecordingClock {
public:
  explicit RecordingClock(std::uint32_t start) : last_(start) {}
  // Milliseconds from the start to the reading `now`.
  std::uint64_t Elapsed(std::uint32_t now) {
    elapsed_ += static_cast<std::uint32_t>(now - last_);
    last_ = now;
    return elapsed_;
  }

private:
  std::uint32_t last_;
  std::uint64_t elapsed_ = 0;
};

// Which slot a capture at t goes to: the nearest (silent recordings: the file keeps the spacing
// of the captures), or the one its grab began in (recordings with sound: a picture plays at the
// moment it was grabbed, which the loop makes the start of a slot).
enum class SlotRule { Nearest, Begun };

// Decides, capture by capture, which frames are written and counts slots left empty. Each empty
// slot is counted once, also when a capture in between brought no frame.
class SlotTracker {
public:
  struct Decision {
    std::int64_t slot;
    bool write;
  };

  // Slot of the capture at t; counts the slots before it that got no frame and were not counted
  // yet.
  Decision Next(std::uint64_t t, std::int32_t msPerFrame, SlotRule rule = SlotRule::Nearest);
  // The frame of the last decision that said "write" was written.
  void Written(std::int64_t slot) {
    lastSlot_ = slot;
    if (slot > countedUpTo_) countedUpTo_ = slot;
  }

  std::int64_t LastSlot() const { return lastSlot_; }
  std::int64_t Dropped() const { return dropped_; }

private:
  std::int64_t lastSlot_ = 0;
  std::int64_t countedUpTo_ = 0; // slots up to here are written or counted as empty
  std::int64_t dropped_ = 0;
};

// How the wait until the next slot is cut into slices, so that a stop request is seen within one
// slice even at intervals of a minute.
struct SleepPlan {
  std::uint32_t slice = 1;  // ms per slice
  std::uint32_t slices = 0; // whole slices to sleep
  std::uint32_t rest = 0;   // ms after the slices
};

// The slice length for an interval: a tenth of it, at least 1 ms.
std::uint32_t SleepSlice(std::int32_t msPerFrame);

// The sleeping still due after a frame that took `elapsed` ms; nothing when it took the whole
// interval or longer.
SleepPlan PlanSleep(std::int32_t msPerFrame, std::uint64_t elapsed);

// A grab this late into a slot not written yet still counts as taken at its start.
inline constexpr std::uint32_t kLateGrabMs = 3;

// With sound: the sleeping until the next grab at `now`, when `lastSlot` was written last. The
// grab is due at the start of the next slot; when a slot not written yet began at most
// kLateGrabMs ago, at once. Slices are at most `mostSlice` ms, so that the sound is written
// between the frames however long the interval.
SleepPlan PlanSleepToSlot(std::int32_t msPerFrame, std::uint64_t now, std::int64_t lastSlot,
                          std::uint32_t mostSlice);

} // namespace recorder
