// Tab positions from the window style, the band outside the page and tab rectangles in the band's
// horizontal buffer.
#include "skin/controls/core/tab_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(TabLayout, PositionsBandsAndBufferRectangles) {
  EXPECT_EQ(TabPositionFromStyle(0), TabPosition::Top);
  EXPECT_EQ(TabPositionFromStyle(0x2), TabPosition::Bottom);
  EXPECT_EQ(TabPositionFromStyle(0x80), TabPosition::Left);
  EXPECT_EQ(TabPositionFromStyle(0x82), TabPosition::Right);
  const TRect window{0, 0, 200, 130};
  const TRect left = PageIntoBand({40, 0, 200, 130}, TabPosition::Left);
  EXPECT_EQ(left, (TRect{41, 0, 200, 130}));
  const TRect band = TabBand(window, left, TabPosition::Left);
  EXPECT_EQ(band, (TRect{0, 0, 41, 130}));
  const TabBufferSize size = BandBufferSize(band, TabPosition::Left);
  EXPECT_EQ(size.width, 130);
  EXPECT_EQ(size.height, 41);
  // A left tab from y 2..60 lies, before the buffer is turned, at x 70..128.
  EXPECT_EQ(TabInBuffer({2, 2, 20, 60}, TabPosition::Left, window, left, size),
            (TRect{70, 2, 128, 20}));
  EXPECT_EQ(TabInBuffer({180, 2, 198, 60}, TabPosition::Right, window, {0, 0, 160, 130}, size),
            (TRect{1, 2, 59, 20}));
  const TRect bottom = PageIntoBand({0, 0, 200, 100}, TabPosition::Bottom);
  EXPECT_EQ(TabInBuffer({10, 102, 60, 120}, TabPosition::Bottom, window, bottom, size),
            (TRect{10, 2, 60, 20}));
  EXPECT_EQ(TabInBuffer({10, 2, 60, 20}, TabPosition::Top, window, {}, size),
            (TRect{10, 3, 60, 21}));
}

TEST(TabLayout, ATabSetTabFitsOnlyWholeBeforeTheEndMargin) {
  EXPECT_TRUE(TabSetTabFits(200, 5, 150, 36, false)); // 150 + 36 + 9 = 195
  EXPECT_FALSE(TabSetTabFits(200, 5, 151, 36, false));
  EXPECT_FALSE(TabSetTabFits(200, 5, 150, 36, true)); // the scroller's room
  EXPECT_TRUE(TabSetTabFits(200, 5, 138, 36, true));
}

} // namespace
} // namespace skin
