#include "app/core/slider_scale.h"

#include <gtest/gtest.h>

namespace {

using namespace app;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(65.5), 66);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

TEST(IntervalSlider, DefaultsAndEnds) {
  EXPECT_EQ(PositionFromMsPerFrame(100), 419);
  EXPECT_EQ(MsPerFrameFromPosition(419), 100);
  EXPECT_EQ(MsPerFrameFromPosition(1), 1);
  EXPECT_EQ(MsPerFrameFromPosition(500), 244);
  EXPECT_EQ(MsPerFrameFromPosition(999), 59343);
  EXPECT_EQ(MsPerFrameFromPosition(1000), 60000);
  EXPECT_EQ(PositionFromMsPerFrame(1), 1);
  EXPECT_EQ(PositionFromMsPerFrame(60000), 1000);
}

TEST(IntervalSlider, IsMonotonicOverTheWholeRange) {
  int previous = 0;
  for (int position = 1; position <= 1000; ++position) {
    int ms = MsPerFrameFromPosition(position);
    EXPECT_GE(ms, previous) << position;
    // Going back lands on a position that shows the same value.
    EXPECT_EQ(MsPerFrameFromPosition(PositionFromMsPerFrame(ms)), ms) << position;
    previous = ms;
  }
}

TEST(RateSlider, DefaultsAndEnds) {
  EXPECT_EQ(PositionFromPlaybackRate(10), 183);
  EXPECT_EQ(PlaybackRateFromPosition(183), 10);
  EXPECT_EQ(PlaybackRateFromPosition(1), 1);
  EXPECT_EQ(PlaybackRateFromPosition(2), 1);
  EXPECT_EQ(PlaybackRateFromPosition(500), 25);
  EXPECT_EQ(PlaybackRateFromPosition(1000), 50);
  // Rate 1 asks for position 0, below the slider's minimum: the slider clamps it to 1.
  EXPECT_EQ(PositionFromPlaybackRate(1), 0);
  EXPECT_EQ(PositionFromPlaybackRate(50), 999); // (50 - 1) * 999 / 49
  EXPECT_EQ(PlaybackRateFromPosition(999), 50);
}

TEST(RateSlider, EveryRateSurvivesTheRoundTrip) {
  for (int rate = 2; rate <= 50; ++rate)
    EXPECT_EQ(PlaybackRateFromPosition(PositionFromPlaybackRate(rate)), rate) << rate;
}

TEST(QualitySlider, DefaultBecomesAWholeHundred) {
  EXPECT_EQ(PositionFromQuality(6550), 66); // 65.5 rounds to the even 66
  EXPECT_EQ(QualityFromPosition(66), 6600);
  EXPECT_EQ(PositionFromQuality(6450), 64); // 64.5 rounds to the even 64
  EXPECT_EQ(QualityFromPosition(0), 0);
  EXPECT_EQ(QualityFromPosition(100), 10000);
  EXPECT_EQ(PositionFromQuality(10000), 100);
}

} // namespace
