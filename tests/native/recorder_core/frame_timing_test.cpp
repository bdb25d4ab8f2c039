#include "recorder/core/frame_timing.h"

#include <gtest/gtest.h>
#include <vector>

using namespace recorder;

TEST(FrameSlots, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(FrameSlot(250, 100), 2);
  EXPECT_EQ(FrameSlot(350, 100), 4);
  EXPECT_EQ(FrameSlot(150, 100), 2);
  EXPECT_EQ(FrameSlot(50, 100), 0);
  EXPECT_EQ(FrameSlot(51, 100), 1);
  EXPECT_EQ(FrameSlot(749, 100), 7);
  EXPECT_EQ(FrameSlot(750, 100), 8);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(3.4999), 3);
}

TEST(FrameSlots, SlowCapturesLeaveEmptySlots) {
  // Captures that take 250 ms at an interval of 100 ms.
  SlotTracker tracker;
  std::vector<std::int64_t> slots;
  for (std::uint32_t t : {0u, 250u, 500u, 750u, 1000u, 1250u}) {
    auto d = tracker.Next(t, 100);
    ASSERT_TRUE(d.write) << t;
    slots.push_back(d.slot);
    tracker.Written(d.slot);
  }
  EXPECT_EQ(slots, (std::vector<std::int64_t>{0, 2, 5, 8, 10, 12}));
  EXPECT_EQ(tracker.Dropped(), 7);
}

TEST(FrameSlots, OnlySlotZeroIsWrittenTwice) {
  SlotTracker tracker;
  for (std::uint32_t t : {0u, 10u, 40u}) {
    auto d = tracker.Next(t, 100);
    EXPECT_TRUE(d.write);
    EXPECT_EQ(d.slot, 0);
    tracker.Written(d.slot);
  }
  auto first = tracker.Next(100, 100);
  ASSERT_TRUE(first.write);
  tracker.Written(first.slot);
  // Another capture in slot 1 (or below) is not written.
  EXPECT_FALSE(tracker.Next(120, 100).write);
  EXPECT_FALSE(tracker.Next(149, 100).write);
  EXPECT_TRUE(tracker.Next(151, 100).write);
  EXPECT_EQ(tracker.Dropped(), 0);
}

TEST(FrameSlots, EachEmptySlotIsCountedOnce) {
  // A capture that brings no frame at slot 3, then a frame written at slot 4: slots 1, 2 and 3
  // stayed empty.
  SlotTracker tracker;
  tracker.Written(tracker.Next(0, 100).slot);
  auto empty = tracker.Next(300, 100);
  EXPECT_TRUE(empty.write);
  EXPECT_EQ(tracker.Dropped(), 2);
  auto next = tracker.Next(400, 100);
  ASSERT_TRUE(next.write);
  tracker.Written(next.slot);
  EXPECT_EQ(tracker.Dropped(), 3);
  // Two empty passes in a row, then a frame in the slot of the second: slots 5 to 7 empty.
  tracker.Next(600, 100);
  tracker.Next(800, 100);
  tracker.Written(tracker.Next(810, 100).slot);
  EXPECT_EQ(tracker.Dropped(), 6);
}

TEST(SleepSlices, TenthOfTheIntervalAtLeastOneMs) {
  EXPECT_EQ(SleepSlice(5), 1u);
  EXPECT_EQ(SleepSlice(1), 1u);
  EXPECT_EQ(SleepSlice(100), 10u);
  EXPECT_EQ(SleepSlice(60000), 6000u);
  EXPECT_EQ(SleepSlice(59343), 5934u);
}

TEST(SleepSlices, RemainingTimeSplitsIntoSlicesAndRest) {
  SleepPlan p = PlanSleep(100, 23); // 77 ms left: 7 slices of 10 and 7 ms
  EXPECT_EQ(p.slice, 10u);
  EXPECT_EQ(p.slices, 7u);
  EXPECT_EQ(p.rest, 7u);
  p = PlanSleep(59343, 0);
  EXPECT_EQ(p.slices * p.slice + p.rest, 59343u);
  EXPECT_LT(p.rest, p.slice);
  p = PlanSleep(100, 100); // took the whole interval: next frame at once
  EXPECT_EQ(p.slices, 0u);
  EXPECT_EQ(p.rest, 0u);
  p = PlanSleep(100, 400);
  EXPECT_EQ(p.slices + p.rest, 0u);
}

// At 1 ms per frame a recording passes slot 2^31 after 24.8 days: later frames still go to later
// slots and are written.
TEST(LongRuns, SlotsGoOnPastTwoToThe31) {
  const std::uint64_t t = std::uint64_t{1} << 31;
  SlotTracker tracker;
  tracker.Written(tracker.Next(t - 1, 1).slot);
  for (std::uint64_t later : {t, t + 1, t + 7, (std::uint64_t{1} << 32) + 3}) {
    auto d = tracker.Next(later, 1);
    EXPECT_TRUE(d.write) << later;
    EXPECT_EQ(d.slot, static_cast<std::int64_t>(later));
    tracker.Written(d.slot);
  }
  // Every slot up to 2^32 + 3 but the five written ones and slot 0 stayed empty.
  EXPECT_EQ(tracker.Dropped(), (std::int64_t{1} << 32) - 2);
  EXPECT_EQ(FrameSlot(t, 100), static_cast<std::int64_t>(t / 100));
  EXPECT_EQ(FrameSlot(t + 2, 100), 21474836); // 21474836.5: halves to the even neighbour
  EXPECT_EQ(PlanSleep(100, t).slices, 0u);
}

// The system's millisecond timer wraps to 0 every 2^32 ms (49.7 days), whenever it was started:
// the time since the start keeps growing across the wrap, also when the recording itself has
// run longer than 2^32 ms.
TEST(LongRuns, TheRecordingClockCrossesTheTimersWrap) {
  const std::uint32_t start = 0xFFFFF000u; // 4096 ms before the wrap
  RecordingClock clock(start);
  EXPECT_EQ(clock.Elapsed(start + 4000), 4000u);
  EXPECT_EQ(clock.Elapsed(5), 4101u);
  // Frames every 10 ms across the wrap all go to new slots.
  RecordingClock frames(0xFFFFFF00u);
  SlotTracker tracker;
  std::uint32_t now = 0xFFFFFF00u;
  for (int i = 0; i < 60; ++i, now += 10) {
    auto d = tracker.Next(frames.Elapsed(now), 10);
    ASSERT_TRUE(d.write) << i;
    EXPECT_EQ(d.slot, i);
    tracker.Written(d.slot);
  }
  EXPECT_EQ(tracker.Dropped(), 0);
  // Sixty days of readings an hour apart: two wraps crossed.
  RecordingClock days(start);
  std::uint32_t reading = start;
  std::uint64_t elapsed = 0;
  for (int hour = 0; hour < 60 * 24; ++hour) {
    reading += 3600u * 1000u;
    elapsed = days.Elapsed(reading);
  }
  EXPECT_EQ(elapsed, 60ull * 24 * 3600 * 1000);
  EXPECT_GT(FrameSlot(elapsed, 1), std::int64_t{1} << 32);
}

TEST(FrameSlots, WithSoundAGrabBelongsToTheSlotItBeganInAndWaitsForTheNext) {
  SlotTracker tracker;
  for (auto [t, slot] : {std::pair{0u, 0}, {99u, 0}, {150u, 1}, {251u, 2}, {399u, 3}}) {
    auto d = tracker.Next(t, 100, SlotRule::Begun);
    EXPECT_EQ(d.slot, slot) << t;
    if (d.write) tracker.Written(d.slot);
  }
  // Grabbed at 100, done at 130: the next grab at 200, in slices of at most 8 ms.
  SleepPlan plan = PlanSleepToSlot(100, 130, 1, 8);
  EXPECT_EQ(plan.slice, 8u);
  EXPECT_EQ(plan.slices * plan.slice + plan.rest, 70u);
  // A grab that overran into slot 2 by 2 ms goes at once; by 10 ms, it waits for slot 3.
  EXPECT_EQ(PlanSleepToSlot(100, 202, 1, 8).slices + PlanSleepToSlot(100, 202, 1, 8).rest, 0u);
  plan = PlanSleepToSlot(100, 210, 1, 8);
  EXPECT_EQ(plan.slices * plan.slice + plan.rest, 90u);
  // At 1 ms per frame every pass is a new slot: no waiting.
  plan = PlanSleepToSlot(1, 5000, 4999, 8);
  EXPECT_EQ(plan.slices + plan.rest, 0u);
  // A minute per frame: slices of 8 ms, not 6 s.
  EXPECT_EQ(PlanSleepToSlot(60000, 1, 0, 8).slice, 8u);
}
