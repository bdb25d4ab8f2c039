// Scroll-bar geometry: the thumb of a scroll-bar control, hit parts, a dragged thumb and the
// position a combo list's thumb dragged to the end stands for.
#include "skin/controls/core/scroll_geometry.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

ScrollNumbers Info(int min, int max, unsigned page, int pos) {
  return {min, max, page, pos};
}

TEST(ControlThumb, PageZeroIsOneArrowLongATinyPageEightPixelsAndAPageProportional) {
  // 100 long, arrows 16: 68 pixels between them.
  EXPECT_EQ(ControlThumb(Info(0, 100, 0, 0), 100, 16), (ThumbExtent{16, 32}));
  EXPECT_EQ(ControlThumb(Info(0, 100, 0, 50), 100, 16), (ThumbExtent{42, 58})); // 52*50/100+16
  EXPECT_EQ(ControlThumb(Info(0, 100, 2, 0), 100, 16).Length(), kSmallestThumb);
  EXPECT_EQ(ControlThumb(Info(0, 100, 2, 100), 100, 16), (ThumbExtent{76, 84})); // 60+16
  EXPECT_EQ(ControlThumb(Info(0, 100, 51, 0), 100, 16), (ThumbExtent{16, 50}));
  EXPECT_EQ(ControlThumb(Info(0, 100, 51, 10), 100, 16).start, 23); // 68*10/100 = 6.8 → 7
  // An empty range does not divide by zero.
  EXPECT_EQ(ControlThumb(Info(5, 5, 0, 5), 100, 16), (ThumbExtent{16, 32}));
}

TEST(ScrollParts, HitTestWalksArrowPageThumbPageArrow) {
  const ThumbExtent thumb{40, 60};
  EXPECT_EQ(HitScrollPart(0, 200, 16, thumb), ScrollPart::FirstArrow);
  EXPECT_EQ(HitScrollPart(16, 200, 16, thumb), ScrollPart::PageBefore);
  EXPECT_EQ(HitScrollPart(40, 200, 16, thumb), ScrollPart::Thumb);
  EXPECT_EQ(HitScrollPart(60, 200, 16, thumb), ScrollPart::PageAfter);
  EXPECT_EQ(HitScrollPart(184, 200, 16, thumb), ScrollPart::SecondArrow);
  // A dragged thumb stays between the arrows.
  EXPECT_EQ(DraggedThumb(40, -100, 20, 200, 16), (ThumbExtent{16, 36}));
  EXPECT_EQ(DraggedThumb(40, 500, 20, 200, 16), (ThumbExtent{164, 184}));
  EXPECT_EQ(DraggedThumb(40, 10, 20, 200, 16), (ThumbExtent{50, 70}));
  EXPECT_EQ(ArrowLength(20, 16), 10);
  EXPECT_EQ(ArrowLength(100, 16), 16);
}

TEST(ScrollFrames, ArrowsGripsTrackAndThumbOfTheSkinImages) {
  EXPECT_EQ(ArrowFrame(false, false, ArrowLook::Normal), 1);
  EXPECT_EQ(ArrowFrame(false, true, ArrowLook::Pressed), 6);
  EXPECT_EQ(ArrowFrame(true, false, ArrowLook::Hot), 12);
  EXPECT_EQ(ArrowFrame(true, true, ArrowLook::Normal), 13);
  EXPECT_EQ(GripFrame(false, ArrowLook::Hot), 19);
  EXPECT_EQ(GripFrame(true, ArrowLook::Pressed), 21);
  EXPECT_EQ(TrackFrame(false), 3);
  EXPECT_EQ(ThumbFrame(ArrowLook::Hot), 3);
}

TEST(ThumbDragPosition, TheEndGivesTheLastPageAndNeverMore) {
  // 30 items, 8 visible: the last top item is 22 = max − page + 1.
  const ScrollNumbers list = Info(0, 29, 8, 0);
  EXPECT_EQ(ThumbDragPosition(list, 0, 100, 30), 0);
  EXPECT_EQ(ThumbDragPosition(list, 70, 100, 30), 22);
  EXPECT_EQ(ThumbDragPosition(list, 500, 100, 30), 22);
  EXPECT_EQ(ThumbDragPosition(list, 35, 100, 30), 11);
  EXPECT_EQ(ThumbDragPosition(list, -20, 100, 30), 0);
  // A range starting above zero, and no page at all.
  EXPECT_EQ(ThumbDragPosition(Info(10, 29, 8, 10), 500, 100, 30), 22);
  EXPECT_EQ(ThumbDragPosition(Info(0, 50, 0, 0), 500, 100, 16), 50);
  // A thumb filling the track cannot move.
  EXPECT_EQ(ThumbDragPosition(list, 50, 30, 30), 0);
  EXPECT_EQ(MulDivRound(7, 1, 2), 4);
  EXPECT_EQ(MulDivRound(-7, 1, 2), -4);
  EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

} // namespace
} // namespace skin
