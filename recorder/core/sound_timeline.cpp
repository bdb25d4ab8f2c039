#include "recorder/core/sound_timeline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace recorder {

namespace {

constexpr double kForever = std::numeric_limits<double>::infinity();
// Checkpoints of the device's frames against the timer for the rate estimate: one every
// kCheckpointMs of frames, the estimate over the oldest and newest kept.
constexpr double kCheckpointMs = 30000;
constexpr std::size_t kCheckpointsKept = 10;
constexpr double kRateBaselineMs = 60000;
// Rates further off than this are not believed (a device this far off is broken, not drifting).
constexpr double kMostPpm = 2000;
// Corrections saved up for later blocks, at most.
constexpr double kMostBudget = 8;

} // namespace

std::int64_t SoundFrameAtSlot(std::int64_t slot, std::int32_t msPerFrame, int rate) {
  return slot * msPerFrame * rate / 1000;
}

SoundTimeline::SoundTimeline(int rate, int channels)
    : rate_(rate > 0 ? rate : 1), channels_(channels > 0 ? channels : 1) {}

double SoundTimeline::DeviceMsPerFrame() const {
  return 1000.0 / (rate_ * (1 + ppm_ * 1e-6));
}

double SoundTimeline::OffsetOf(std::int64_t end, double arrived) const {
  return arrived - static_cast<double>(end) * DeviceMsPerFrame();
}

void SoundTimeline::Add(const std::int16_t* samples, std::size_t frames, double arrivedMs) {
  if (frames == 0) return;
  if (!held_.empty()) arrivedMs = std::max(arrivedMs, held_.back().arrived);
  held_.push_back(
      {received_, std::vector<std::int16_t>(samples, samples + frames * channels_), arrivedMs});
  received_ += static_cast<std::int64_t>(frames);
  PlaceHeld(false);
}

void SoundTimeline::Pause(double ms) {
  if (!pauses_.empty() && pauses_.back().end == kForever) return;
  const double before =
      pauses_.empty() ? 0 : pauses_.back().pausedBefore + pauses_.back().end - pauses_.back().start;
  pauses_.push_back({ms, kForever, before});
}

void SoundTimeline::Resume(double ms) {
  if (pauses_.empty() || pauses_.back().end != kForever) return;
  pauses_.back().end = std::max(ms, pauses_.back().start);
}

bool SoundTimeline::RecordingTime(double ms, double& recording, double& runEnd) const {
  auto after = std::upper_bound(pauses_.begin(), pauses_.end(), ms,
                                [](double t, const PauseSpan& span) { return t < span.start; });
  if (after == pauses_.begin()) {
    recording = ms;
    runEnd = pauses_.empty() ? kForever : pauses_.front().start;
    return true;
  }
  const PauseSpan& span = *(after - 1);
  if (ms < span.end) {
    recording = span.start - span.pausedBefore;
    runEnd = span.end;
    return false;
  }
  recording = ms - span.pausedBefore - (span.end - span.start);
  runEnd = after == pauses_.end() ? kForever : after->start;
  return true;
}

void SoundTimeline::PlaceHeld(bool all) {
  while (!held_.empty()) {
    const Block& block = held_.front();
    const std::int64_t frames = static_cast<std::int64_t>(block.samples.size()) / channels_;
    const double aheadMs = (received_ - block.first - frames) * 1000.0 / rate_;
    if (aheadMs < kLookAheadMs && !all) return;

    // The lowest offset from this block on, and before it (since the last step).
    double ahead = kForever;
    for (const Block& later : held_)
      ahead = std::min(
          ahead, OffsetOf(later.first + static_cast<std::int64_t>(later.samples.size() / channels_),
                          later.arrived));
    while (!past_.empty() && past_.front().arrived < block.arrived - kWindowMs)
      past_.pop_front();
    double behind = kForever;
    for (const Offset& earlier : past_)
      behind = std::min(behind, OffsetOf(earlier.end, earlier.arrived));

    // After a gap longer than the window no block before it is left to compare with: the rate
    // estimate starts again, as after a step.
    if (behind == kForever && anyPlaced_) checkpoints_.clear();
    double offset = std::min(ahead, behind);
    // Every offset from here on is higher: frames were lost just before this block. A late
    // hand-over looks the same until the blocks after it come, so this waits for more of them.
    if (behind != kForever && ahead > behind + kStepMs) {
      if (aheadMs < kConfirmMs && !all) return;
      if (aheadMs >= kConfirmMs) {
        past_.clear();
        checkpoints_.clear();
        offset = ahead;
      }
    }
    past_.push_back({block.first + frames, block.arrived});
    const double msPerFrame = DeviceMsPerFrame();
    const double firstMs = offset + static_cast<double>(block.first) * msPerFrame;
    PlaceBlock(block, firstMs, msPerFrame);
    EstimateRate(block.first, firstMs);
    held_.pop_front();
  }
}

void SoundTimeline::EstimateRate(std::int64_t frame, double ms) {
  if (!checkpoints_.empty() && (frame - checkpoints_.back().frame) * 1000.0 / rate_ < kCheckpointMs)
    return;
  checkpoints_.push_back({frame, ms});
  if (checkpoints_.size() > kCheckpointsKept) checkpoints_.pop_front();
  const Checkpoint& first = checkpoints_.front();
  const double spanMs = ms - first.ms;
  if (spanMs < kRateBaselineMs || frame <= first.frame) return;
  const double deviceRate = (frame - first.frame) * 1000.0 / spanMs;
  ppm_ = std::clamp((deviceRate / rate_ - 1) * 1e6, -kMostPpm, kMostPpm);
}

void SoundTimeline::PlaceBlock(const Block& block, double firstMs, double msPerFrame) {
  const std::size_t frames = block.samples.size() / channels_;
  std::size_t done = 0;
  while (done < frames) {
    const double t = firstMs + static_cast<double>(done) * msPerFrame;
    double recording = 0, runEnd = 0;
    const bool live = RecordingTime(t, recording, runEnd);
    std::size_t run = frames - done;
    if (runEnd != kForever)
      run = std::min(run, std::max<std::size_t>(
                              1, static_cast<std::size_t>(std::ceil((runEnd - t) / msPerFrame))));
    if (live) PlaceRun(block.samples.data() + done * channels_, run, recording);
    done += run;
  }
}

void SoundTimeline::PlaceRun(const std::int16_t* samples, std::size_t frames, double recordingMs) {
  const double due = recordingMs * rate_ / 1000.0;
  const double ahead = static_cast<double>(placed_) - due; // > 0: the run would play late
  const double step = kStepMs * rate_ / 1000.0;
  if (!anyPlaced_ || std::fabs(ahead) > step) {
    // The first sound, or a difference too large to catch up with: placed where it belongs.
    if (ahead < 0) {
      Silence(std::llround(-ahead), anyPlaced_);
    } else {
      const std::size_t cut = std::min(frames, static_cast<std::size_t>(std::llround(ahead)));
      samples += cut * channels_;
      frames -= cut;
    }
    Append(samples, frames);
    return;
  }
  budget_ = std::min(budget_ + frames * kMostCorrection, kMostBudget);
  std::int64_t correction = 0;
  if (std::fabs(ahead) > kDeadBandMs * rate_ / 1000.0) {
    const double most = std::floor(budget_);
    correction = static_cast<std::int64_t>(std::clamp(std::trunc(ahead), -most, most));
    budget_ -= std::fabs(static_cast<double>(correction));
  }
  AppendCorrected(samples, frames, correction);
}

// Drops (`correction` > 0) or repeats (< 0) single frames evenly spread over the run.
void SoundTimeline::AppendCorrected(const std::int16_t* samples, std::size_t frames,
                                    std::int64_t correction) {
  const std::size_t marks = static_cast<std::size_t>(std::llabs(correction));
  if (marks == 0 || marks >= frames) {
    Append(samples, frames);
    return;
  }
  std::size_t from = 0;
  for (std::size_t i = 0; i < marks; ++i) {
    const std::size_t mark = static_cast<std::size_t>((i + 0.5) * frames / marks);
    Append(samples + from * channels_, mark - from);
    if (correction < 0) Append(samples + mark * channels_, 1);
    from = correction > 0 ? mark + 1 : mark;
  }
  Append(samples + from * channels_, frames - from);
}

void SoundTimeline::Silence(std::int64_t frames, bool gap) {
  if (frames <= 0) return;
  ready_.insert(ready_.end(), static_cast<std::size_t>(frames) * channels_, 0);
  placed_ += frames;
  if (gap) {
    ++gaps_;
    gapFrames_ += frames;
  }
}

void SoundTimeline::Append(const std::int16_t* samples, std::size_t frames) {
  if (frames == 0) return;
  ready_.insert(ready_.end(), samples, samples + frames * channels_);
  placed_ += static_cast<std::int64_t>(frames);
  anyPlaced_ = true;
}

void SoundTimeline::SilenceUntil(double ms) {
  PlaceHeld(true);
  double recording = 0, runEnd = 0;
  RecordingTime(ms, recording, runEnd);
  Silence(std::llround(recording * rate_ / 1000.0) - placed_, false);
}

void SoundTimeline::Finish(std::int64_t end) {
  PlaceHeld(true);
  Silence(end - placed_, false);
  const std::int64_t cut =
      std::min(placed_ - end, static_cast<std::int64_t>(ready_.size()) / channels_);
  if (cut > 0) {
    ready_.resize(ready_.size() - static_cast<std::size_t>(cut) * channels_);
    placed_ -= cut;
  }
}

bool SoundTimeline::HasSoundUpTo(std::int64_t end) const {
  return ReceivedUntil() >= MomentOf(end);
}

double SoundTimeline::ReceivedUntil() const {
  double offset = kForever;
  for (const Offset& earlier : past_)
    offset = std::min(offset, OffsetOf(earlier.end, earlier.arrived));
  for (const Block& block : held_)
    offset = std::min(
        offset, OffsetOf(block.first + static_cast<std::int64_t>(block.samples.size() / channels_),
                         block.arrived));
  if (offset == kForever) return -kForever;
  return offset + static_cast<double>(received_) * DeviceMsPerFrame();
}

double SoundTimeline::MomentOf(std::int64_t frame) const {
  double ms = static_cast<double>(frame) * 1000.0 / rate_;
  for (const PauseSpan& span : pauses_) {
    if (ms < span.start) break;
    if (span.end == kForever) return span.start;
    ms += span.end - span.start;
  }
  return ms;
}

std::size_t SoundTimeline::Take(std::vector<std::int16_t>& out, std::size_t most) {
  const std::size_t frames = std::min(most, ready_.size() / channels_);
  const auto end = ready_.begin() + static_cast<std::ptrdiff_t>(frames * channels_);
  out.insert(out.end(), ready_.begin(), end);
  ready_.erase(ready_.begin(), end);
  return frames;
}

} // namespace recorder
