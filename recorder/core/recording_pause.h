// Pause and resume of a recording: its named states, and the recording clock that leaves paused
// time out, so that a resumed file goes on with no gap and the sound, fitted to the same clock, is
// cut at the same moment as the picture. The user's request (a hot key, the notification-area
// menu) is made on one thread and carried out by the recording's worker at its next step.
#pragma once

#include "recorder/core/frame_timing.h"

#include <cstdint>

namespace recorder {

enum class TPauseState { Recording, Paused };

// What the worker does at a step, from what the user asks and the state the recording is in.
enum class TPauseStep { None, Pause, Resume };
inline TPauseStep PauseStepFor(bool pauseRequested, TPauseState state) {
  if (pauseRequested && state == TPauseState::Recording) return TPauseStep::Pause;
  if (!pauseRequested && state == TPauseState::Paused) return TPauseStep::Resume;
  return TPauseStep::None;
}

// Milliseconds recorded since a start, from readings of timeGetTime: the time between a pause
// and its resume is not counted, and while paused the clock stands still.
class PausableClock {
public:
  explicit PausableClock(std::uint32_t start) : wall_(start) {}

  // Recorded milliseconds at the reading `now`.
  std::uint64_t Elapsed(std::uint32_t now) {
    const std::uint64_t wall = wall_.Elapsed(now);
    if (state_ == TPauseState::Paused) return pausedAt_ - paused_;
    return wall - paused_;
  }
  void Pause(std::uint32_t now) {
    if (state_ == TPauseState::Paused) return;
    pausedAt_ = wall_.Elapsed(now);
    state_ = TPauseState::Paused;
  }
  void Resume(std::uint32_t now) {
    if (state_ == TPauseState::Recording) return;
    paused_ += wall_.Elapsed(now) - pausedAt_;
    state_ = TPauseState::Recording;
  }
  TPauseState State() const { return state_; }
  // Milliseconds spent paused so far (the pause under way not counted).
  std::uint64_t PausedMs() const { return paused_; }

private:
  RecordingClock wall_;
  TPauseState state_ = TPauseState::Recording;
  std::uint64_t paused_ = 0;   // paused time of the pauses that ended
  std::uint64_t pausedAt_ = 0; // wall time the current pause began
};

} // namespace recorder
