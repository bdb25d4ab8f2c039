#include "recorder/core/sound_timeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace recorder;

namespace {

constexpr double kHourMs = 3600.0 * 1000;

// A simulated sound device and recording: the device's clock runs `ppm` off the timer, it hands
// blocks over late now and then (the blocks finished meanwhile come all at once), loses whole
// blocks in `gaps`, may be gone from `goneMs`; the recording pauses in `pauses`. Every second of
// true time one frame is marked with the second's number, so where it lands in the sound tells
// how far off the sound is there.
struct Scenario {
  int rate = 8000;
  int channels = 1;
  double lengthMs = 60000;
  double ppm = 0;
  double deviceStartMs = 37;
  double blockMs = 40;
  bool lateHandOvers = true;
  std::vector<std::pair<double, double>> gaps;   // start, length (true time)
  std::vector<std::pair<double, double>> pauses; // start, end (timer)
  double goneMs = std::numeric_limits<double>::infinity();
  std::vector<std::int64_t> splitSlots; // follow-on files begin at these slots (100 ms each)
  // The stop comes at lengthMs; the sound is finished this much later, the device delivering on.
  double finishAfterMs = 0;
};

struct Outcome {
  double worstMs = 0;
  int found = 0, expected = 0, misplaced = 0;
  std::int64_t frames = 0;
  std::int64_t gaps = 0;
  double gapMs = 0, ppm = 0;
  std::vector<double> worstPerFile;
};

// The recording-clock moment of timer moment `ms`; `paused`: it is not recorded (in a pause, or
// after the stop).
double RecordingMs(const Scenario& s, double ms, bool& paused) {
  paused = ms >= s.lengthMs;
  double before = 0;
  for (const auto& [start, end] : s.pauses) {
    if (ms < start) break;
    if (ms < end) {
      paused = true;
      return start - before;
    }
    before += end - start;
  }
  return ms - before;
}

std::int64_t FramesOf(const Scenario& s) {
  bool paused = false;
  return std::llround(RecordingMs(s, s.lengthMs, paused) * s.rate / 1000);
}

Outcome Record(const Scenario& s) {
  SoundTimeline timeline(s.rate, s.channels);
  std::mt19937 random(27);
  std::uniform_real_distribution<double> unit(0, 1);
  const double trueMsPerFrame = 1000.0 / (s.rate * (1 + s.ppm * 1e-6));
  const int blockFrames = static_cast<int>(s.blockMs * s.rate / 1000);

  Outcome outcome;
  std::vector<std::int64_t> fileStarts{0};
  for (std::int64_t slot : s.splitSlots)
    fileStarts.push_back(SoundFrameAtSlot(slot, 100, s.rate));
  outcome.worstPerFile.assign(fileStarts.size(), 0);
  std::vector<int> seen(static_cast<std::size_t>((s.lengthMs + s.finishAfterMs) / 1000) + 2, 0);
  std::int16_t previous = 0;
  std::vector<std::int16_t> taken;
  auto check = [&] {
    taken.clear();
    const std::int64_t first = timeline.Taken();
    timeline.Take(taken, taken.max_size());
    for (std::size_t i = 0; i < taken.size(); i += s.channels) {
      const std::int16_t value = taken[i];
      if (value != 0 && previous == 0) {
        const int second = value - 1;
        const std::int64_t position = first + static_cast<std::int64_t>(i / s.channels);
        const std::size_t file = std::upper_bound(fileStarts.begin(), fileStarts.end(), position) -
                                 fileStarts.begin() - 1;
        const double inFileMs = (position - fileStarts[file]) * 1000.0 / s.rate;
        bool paused = false;
        const double dueMs =
            RecordingMs(s, second * 1000.0, paused) - fileStarts[file] * 1000.0 / s.rate;
        const double off = std::fabs(inFileMs - dueMs);
        if (paused || second * 1000.0 >= s.goneMs) ++outcome.misplaced;
        outcome.worstMs = std::max(outcome.worstMs, off);
        outcome.worstPerFile[file] = std::max(outcome.worstPerFile[file], off);
        ++seen[static_cast<std::size_t>(second)];
      }
      previous = value;
    }
  };

  std::size_t nextPause = 0;
  bool pausedNow = false;
  auto pausesUntil = [&](double ms) {
    while (nextPause < s.pauses.size()) {
      const auto& [start, end] = s.pauses[nextPause];
      if (!pausedNow && start <= ms) {
        timeline.Pause(start);
        pausedNow = true;
      } else if (pausedNow && end <= ms) {
        timeline.Resume(end);
        pausedNow = false;
        ++nextPause;
      } else {
        break;
      }
    }
  };

  std::vector<std::int16_t> block(static_cast<std::size_t>(blockFrames * s.channels));
  double lateUntil = 0, lastArrival = 0, nextTick = 100;
  for (std::int64_t physical = 0;; physical += blockFrames) {
    const double begins = s.deviceStartMs + physical * trueMsPerFrame;
    const double ends = begins + blockFrames * trueMsPerFrame;
    if (ends > s.lengthMs + s.finishAfterMs || ends > s.goneMs) break;
    bool lost = false;
    for (const auto& [start, length] : s.gaps)
      lost = lost || (ends >= start && ends < start + length);
    if (s.lateHandOvers && lateUntil < ends && unit(random) < 0.01)
      lateUntil = ends + 20 + 400 * unit(random);
    double arrival = std::max({ends + 2 * unit(random), lateUntil, lastArrival});
    lastArrival = arrival;
    std::fill(block.begin(), block.end(), 0);
    // The frame captured at a whole second, and the one before it (a frame dropped to correct
    // the sound leaves one of them).
    const double mark = std::ceil(begins / 1000) * 1000;
    const int f = static_cast<int>(std::floor((mark - begins) / trueMsPerFrame));
    const int second = static_cast<int>(mark / 1000);
    if (f < blockFrames && second < static_cast<int>(seen.size())) {
      block[static_cast<std::size_t>(f * s.channels)] = static_cast<std::int16_t>(second + 1);
      if (f > 0) block[static_cast<std::size_t>((f - 1) * s.channels)] = block[f * s.channels];
      bool paused = false;
      RecordingMs(s, mark, paused);
      if (!lost && !paused) ++outcome.expected;
    }
    for (; nextTick <= std::min(arrival, s.lengthMs); nextTick += 100) {
      pausesUntil(nextTick);
      check();
    }
    pausesUntil(arrival);
    if (!lost) timeline.Add(block.data(), static_cast<std::size_t>(blockFrames), arrival);
  }
  for (; nextTick < s.lengthMs; nextTick += 100) {
    pausesUntil(nextTick);
    if (nextTick > s.goneMs) timeline.SilenceUntil(nextTick);
    check();
  }
  pausesUntil(s.lengthMs);
  timeline.Finish(FramesOf(s));
  check();

  outcome.found =
      static_cast<int>(std::count_if(seen.begin(), seen.end(), [](int n) { return n > 0; }));
  outcome.misplaced +=
      static_cast<int>(std::count_if(seen.begin(), seen.end(), [](int n) { return n > 1; }));
  outcome.frames = timeline.Placed();
  outcome.gaps = timeline.Gaps();
  outcome.gapMs = timeline.GapMs();
  outcome.ppm = timeline.DriftPpm();
  return outcome;
}

} // namespace

TEST(SoundTimeline, EightHoursOfADeviceFastOrSlowStayInStep) {
  for (double ppm : {300.0, -300.0}) {
    Scenario s;
    s.lengthMs = 8 * kHourMs;
    s.ppm = ppm;
    const Outcome o = Record(s);
    EXPECT_LT(o.worstMs, 10) << ppm;
    EXPECT_EQ(o.found, o.expected) << ppm;
    EXPECT_EQ(o.misplaced, 0) << ppm;
    EXPECT_EQ(o.gaps, 0) << "late hand-overs are no gaps, " << ppm;
    EXPECT_NEAR(o.ppm, ppm, 10);
    EXPECT_EQ(o.frames, FramesOf(s)) << ppm;
  }
}

TEST(SoundTimeline, LostFramesBecomeSilenceOfTheirLength) {
  Scenario s;
  s.rate = 44100;
  s.channels = 2;
  s.lengthMs = 10 * 60000;
  s.ppm = 120;
  s.gaps = {{61500, 80}, {200600, 300}, {420000, 5000}};
  const Outcome o = Record(s);
  EXPECT_LT(o.worstMs, 10);
  EXPECT_EQ(o.found, o.expected);
  EXPECT_EQ(o.misplaced, 0);
  EXPECT_EQ(o.gaps, 3);
  EXPECT_NEAR(o.gapMs, 5380, 3 * s.blockMs);
  EXPECT_NEAR(o.ppm, 120, 20) << "the rate estimate survives the gaps";
  EXPECT_EQ(o.frames, FramesOf(s));
}

TEST(SoundTimeline, FiftyPausesCutTheSoundWhereThePictureIsCut) {
  Scenario s;
  s.rate = 44100;
  s.channels = 2;
  s.lengthMs = 20 * 60000;
  s.ppm = -250;
  std::mt19937 random(28);
  std::uniform_real_distribution<double> length(300, 3000);
  for (int i = 0; i < 50; ++i) {
    // Whole seconds and a half: no mark falls within the few milliseconds of a pause's edges.
    const double start = 10500 + i * 23000 + std::round(length(random) / 1000) * 1000;
    s.pauses.push_back({start, start + std::round(length(random) / 1000 + 1) * 1000});
  }
  const Outcome o = Record(s);
  EXPECT_LT(o.worstMs, 10);
  EXPECT_EQ(o.found, o.expected);
  EXPECT_EQ(o.misplaced, 0) << "sound of paused time was kept";
  EXPECT_EQ(o.gaps, 0);
  EXPECT_EQ(o.frames, FramesOf(s)) << "every paused frame out, every recorded frame in";
}

TEST(SoundTimeline, ADeviceGoneLeavesSilenceToTheEnd) {
  Scenario s;
  s.goneMs = 30500;
  const Outcome o = Record(s);
  EXPECT_LT(o.worstMs, 10);
  EXPECT_EQ(o.found, o.expected);
  EXPECT_EQ(o.found, 30);
  EXPECT_EQ(o.frames, FramesOf(s));
}

TEST(SoundTimeline, FollowOnFilesStartWithTheirFirstPicture) {
  Scenario s;
  s.lengthMs = 5 * 60000;
  s.ppm = 200;
  s.splitSlots = {1234, 2001};
  const Outcome o = Record(s);
  ASSERT_EQ(o.worstPerFile.size(), 3u);
  for (double worst : o.worstPerFile)
    EXPECT_LT(worst, 10);
  EXPECT_EQ(o.found, o.expected) << "every second's mark in one of the files";
  EXPECT_EQ(o.misplaced, 0) << "no mark twice";
  EXPECT_EQ(SoundFrameAtSlot(1234, 100, 44100), 5441940);
}

TEST(SoundTimeline, FiftyPausesAtAwkwardMomentsLeaveTheSoundAsInStepAsNone) {
  Scenario s;
  s.rate = 44100;
  s.channels = 2;
  s.ppm = 300;
  s.blockMs = 25;
  // Pauses begin and end anywhere within a block (not within 60 ms of a second's mark); every
  // fourth begins 3 ms after the last resume, every fourth while the device loses frames.
  auto awkward = [](double ms) {
    const double past = std::fmod(ms, 1000);
    return past < 60 || past > 940 ? ms + 120 : ms;
  };
  double cursor = 5000;
  for (int i = 0; i < 50; ++i) {
    const int kind = i % 4;
    const double start = kind == 1 ? cursor + 3 : awkward(cursor + 4000 + (i * 311) % 9000 + 12.34);
    const double end = awkward(start + 40 + (i * 137) % 2600);
    if (kind == 2) s.gaps.push_back({start - 120, 400});
    s.pauses.push_back({start, end});
    cursor = end;
  }
  s.lengthMs = cursor + 10000;
  // The sound is finished as late as it was seen to be under Wine, the device delivering on.
  s.finishAfterMs = 2000;
  Scenario none = s;
  none.pauses.clear();
  const Outcome o = Record(s), reference = Record(none);
  EXPECT_LE(o.worstMs, reference.worstMs + 1) << "none: " << reference.worstMs << " ms";
  EXPECT_EQ(o.found, o.expected);
  EXPECT_EQ(o.misplaced, 0) << "sound of paused time or from after the stop was kept";
  EXPECT_EQ(o.frames, FramesOf(s));
}

TEST(SoundTimeline, TheEndWaitsForTheBlocksOnTheirWayAndNoLonger) {
  SoundTimeline timeline(8000, 1);
  const std::vector<std::int16_t> block(320); // 40 ms
  EXPECT_FALSE(timeline.HasSoundUpTo(0)) << "no block yet";
  double end = 40;
  for (; end <= 4960; end += 40)
    timeline.Add(block.data(), 320, end + 1);
  EXPECT_FALSE(timeline.HasSoundUpTo(5000 * 8)) << "the last 40 ms are on their way";
  timeline.Add(block.data(), 320, end + 25); // handed over late
  EXPECT_TRUE(timeline.HasSoundUpTo(5000 * 8));
  // Paused at 6000 and stopped at 6050: the picture's last slot ends 50 ms into the pause, and no
  // sound of the recording comes after the pause's start.
  timeline.Pause(6000);
  for (end += 40; end <= 6040; end += 40)
    timeline.Add(block.data(), 320, end + 1);
  EXPECT_TRUE(timeline.HasSoundUpTo(6050 * 8));
}
