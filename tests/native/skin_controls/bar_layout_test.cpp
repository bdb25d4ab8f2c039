// Group box, track bar, up-down and progress bar layouts against the cases the skin format fixes.
#include "skin/controls/core/bar_layout.h"

#include <gtest/gtest.h>

#include <climits>

namespace skin {
namespace {

TEST(GroupBoxLayout, FrameRowAndCaptionPlace) {
  EXPECT_EQ(GroupBoxFrameTop(16), 7);
  EXPECT_EQ(GroupBoxFrameTop(13), 5);
  EXPECT_EQ(GroupBoxCaptionRect({0, 0, 200, 80}, false), (TRect{8, 0, 200, 80}));
  EXPECT_EQ(GroupBoxCaptionRect({0, 0, 200, 80}, true), (TRect{0, 0, 192, 80}));
}

TEST(TrackChannel, FixedEndsStretchedMiddleAndCentredAcross) {
  // A 20 × 4 image with ends of 3 and 5 into a channel of 100 × 10.
  const ChannelPieces p = LayoutChannel(20, 4, 3, 5, 100, 10);
  EXPECT_EQ(p.offset, 3);
  EXPECT_EQ(p.headSource, 3);
  EXPECT_EQ(p.middleSourceStart, 3);
  EXPECT_EQ(p.middleSourceLength, 12);
  EXPECT_EQ(p.middleTargetLength, 92);
  EXPECT_EQ(p.tailSourceStart, 15);
  EXPECT_EQ(p.tailTargetStart, 95);
  // An image as thick as the channel, or thicker, starts at its edge.
  EXPECT_EQ(LayoutChannel(20, 10, 3, 5, 100, 10).offset, 0);
  EXPECT_EQ(LayoutChannel(20, 12, 3, 5, 100, 10).offset, 0);
}

TEST(UpDown, HalvesStatesAndCells) {
  const UpDownHalves v = SplitUpDown({0, 0, 16, 21}, false);
  EXPECT_EQ(v.first, (TRect{0, 0, 16, 10}));
  EXPECT_EQ(v.second, (TRect{0, 10, 16, 21}));
  const UpDownHalves h = SplitUpDown({0, 0, 31, 16}, true);
  EXPECT_EQ(h.first, (TRect{0, 0, 15, 16}));
  EXPECT_EQ(h.second, (TRect{15, 0, 31, 16}));

  EXPECT_EQ(HalfState(false, true, true, true), ArrowState::Disabled);
  EXPECT_EQ(HalfState(true, false, true, true), ArrowState::Normal);
  EXPECT_EQ(HalfState(true, true, true, true), ArrowState::Pressed);
  EXPECT_EQ(HalfState(true, true, false, true), ArrowState::Hot);
  EXPECT_EQ(HalfState(true, true, false, false), ArrowState::Normal);
  // The lower arrow pressed: cell 6 below, cell 1 above.
  EXPECT_EQ(ArrowCell(HalfState(true, true, true, false), true), 6);
  EXPECT_EQ(ArrowCell(HalfState(true, false, true, false), false), 1);
  EXPECT_EQ(ArrowCell(ArrowState::Hot, false), 4);
  EXPECT_EQ(ArrowCell(ArrowState::Disabled, true), 7);
}

TEST(UpDown, BuddyOfAnEditKeepsClearOfItsBorders) {
  // Touching the edit's top and right edges, 1 pixel above its bottom.
  EXPECT_EQ(KeepClearOfEditBorder({0, 0, 16, 21}, {64, 0, 80, 21}, 80, 22), (TRect{0, 3, 13, 19}));
  // Well inside: unchanged.
  EXPECT_EQ(KeepClearOfEditBorder({0, 0, 16, 15}, {50, 3, 66, 18}, 80, 22), (TRect{0, 0, 16, 15}));
}

TEST(ProgressFill, ShareOfAnyRange) {
  EXPECT_EQ(ProgressFill(200, 50, 0, 100), 100);
  EXPECT_EQ(ProgressFill(200, 70, 20, 120), 100);
  EXPECT_EQ(ProgressFill(200, 0, -100, 100), 100); // a range below zero fills too
  EXPECT_EQ(ProgressFill(200, -100, -100, 100), 0);
  EXPECT_EQ(ProgressFill(200, 0, 0, 100), 0);
  EXPECT_EQ(ProgressFill(200, 100, 0, 100), 200);
  EXPECT_EQ(ProgressFill(200, 500, 0, 100), 200); // clamped
  EXPECT_EQ(ProgressFill(200, 5, 0, 0), 0);       // empty range
  EXPECT_EQ(ProgressFill(200, 5, 10, 0), 0);      // reversed range
  EXPECT_EQ(ProgressFill(3, 1, 0, 2), 2);         // rounded to the nearest
  EXPECT_EQ(ProgressFill(1000, 0, INT_MIN, INT_MAX), 500);
}

} // namespace
} // namespace skin
