// The sound of a recording fitted to the recording's clock. The picture's timeline is the system
// timer (slot k plays at k * interval); a sound device runs on a clock of its own, a few hundred
// parts per million fast or slow, hands its samples over with a delay that varies by tens of
// milliseconds, and now and then loses some (an overrun, a busy machine) or stops for good (the
// device is unplugged). This unit decides, block by block, where the captured frames go so that
// the frame written at position p always is the one captured p / rate seconds into the
// recording, to within a few milliseconds, at any length:
// - each block's moment comes from its arrival time and its frame count: the lowest of the
//   arrival offsets around it (a late hand-over only raises an offset), so jitter does not move
//   the sound; the device's true rate is estimated from the same offsets over minutes;
// - a small difference is corrected gradually by dropping or repeating single frames spread
//   thinly over the block (at most five in a thousand);
// - frames missing (the offsets step up and stay there) become silence of the same length, never
//   squeezed out, and are counted for the notice at the end;
// - frames captured while the recording is paused are dropped, so a pause cuts sound and picture
//   at the same moment, and the position after it goes on from where it stopped.
// Times are milliseconds of the system timer since the recording began (paused time included);
// positions are frames (one sample per channel) of the recording clock, which excludes paused
// time, from its start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace recorder {

// The frame at which a recording-clock moment begins: where the sound of a follow-on file whose
// first picture is slot `slot` starts.
std::int64_t SoundFrameAtSlot(std::int64_t slot, std::int32_t msPerFrame, int rate);

class SoundTimeline {
public:
  // A block is placed once this much sound after it has arrived: the offsets that follow it
  // tell a late hand-over (the blocks after it come quickly) from lost frames (they do not).
  static constexpr double kLookAheadMs = 200;
  // Offsets that stay higher for this much sound mean lost frames: longer than a device's
  // buffers last, so a hand-over this late would have lost frames anyway.
  static constexpr double kConfirmMs = 1000;
  // Past offsets taken into account.
  static constexpr double kWindowMs = 1000;
  // A difference beyond this is filled with silence (or cut) at once; below it, it is corrected
  // gradually.
  static constexpr double kStepMs = 10;
  // Differences below this are left alone.
  static constexpr double kDeadBandMs = 0.5;
  // Most frames dropped or repeated per frame placed: 5 ms a second.
  static constexpr double kMostCorrection = 0.005;

  SoundTimeline(int rate, int channels);

  // A block of `frames` interleaved frames that the device handed over at `arrivedMs` (its last
  // frame was captured about then).
  void Add(const std::int16_t* samples, std::size_t frames, double arrivedMs);
  // The recording pauses or goes on at `ms`; frames captured in between are dropped.
  void Pause(double ms);
  void Resume(double ms);
  // The device is gone: what is held back is placed, and the sound is silent up to `ms`.
  void SilenceUntil(double ms);
  // The recording ended with its picture at position `end`: what is held back is placed, frames
  // past the end (captured after the stop) are cut and missing ones up to it are silence.
  void Finish(std::int64_t end);
  // The device has handed over every frame captured up to position `end` (or, when the
  // recording stopped while paused, up to the pause): Finish need wait for no more.
  bool HasSoundUpTo(std::int64_t end) const;

  // Frames placed so far (the position the sound has reached).
  std::int64_t Placed() const { return placed_; }
  // Position of the next frame Take gives.
  std::int64_t Taken() const {
    return placed_ - static_cast<std::int64_t>(ready_.size()) / channels_;
  }
  // Moves up to `most` placed frames not taken yet to the end of `out`; returns how many.
  std::size_t Take(std::vector<std::int16_t>& out, std::size_t most);

  // Stretches of silence put in for frames that were missing, and their length.
  std::int64_t Gaps() const { return gaps_; }
  double GapMs() const { return gapFrames_ * 1000.0 / rate_; }
  // The device's estimated rate against the system timer, in parts per million.
  double DriftPpm() const { return ppm_; }
  int Rate() const { return rate_; }
  int Channels() const { return channels_; }

private:
  struct Block {
    std::int64_t first; // device frames received before it
    std::vector<std::int16_t> samples;
    double arrived;
  };
  struct Offset {
    std::int64_t end; // device frames received up to its end
    double arrived;
  };
  struct PauseSpan {
    double start, end;   // end: infinity while paused
    double pausedBefore; // paused time of the spans before this one
  };
  struct Checkpoint {
    std::int64_t frame;
    double ms;
  };

  double DeviceMsPerFrame() const;
  // The timer moment the device's frames have come up to, on the offsets the blocks are placed
  // by; minus infinity before the first block.
  double ReceivedUntil() const;
  // The timer moment the recording clock reaches position `frame`; past a pause still under way,
  // that pause's start (no later sound belongs to the recording).
  double MomentOf(std::int64_t frame) const;
  double OffsetOf(std::int64_t end, double arrived) const;
  void PlaceHeld(bool all);
  void PlaceBlock(const Block& block, double firstMs, double msPerFrame);
  void PlaceRun(const std::int16_t* samples, std::size_t frames, double recordingMs);
  void AppendCorrected(const std::int16_t* samples, std::size_t frames, std::int64_t correction);
  void EstimateRate(std::int64_t frame, double ms);
  // The recording-clock moment of system time `ms`; false when it falls in a pause.
  bool RecordingTime(double ms, double& recording, double& runEnd) const;
  void Silence(std::int64_t frames, bool gap);
  void Append(const std::int16_t* samples, std::size_t frames);

  const int rate_, channels_;
  std::int64_t received_ = 0; // device frames received
  std::deque<Block> held_;
  std::deque<Offset> past_;
  std::deque<Checkpoint> checkpoints_;
  std::vector<PauseSpan> pauses_;
  double ppm_ = 0;
  double budget_ = 0;
  std::int64_t placed_ = 0;
  bool anyPlaced_ = false;
  std::vector<std::int16_t> ready_; // placed, not taken yet
  std::int64_t gaps_ = 0, gapFrames_ = 0;
};

} // namespace recorder
