// The media player overlay's hit test over the visible buttons and its face and glyph states.
#include "skin/controls/core/media_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(MediaLayout, HitTestCountsOnlyVisibleButtons) {
  const unsigned playAndStop = (1u << 0) | (1u << 2);
  EXPECT_EQ(VisibleMediaButtons(playAndStop), 2);
  EXPECT_EQ(VisibleMediaButtons(0x3FF), 9); // bits beyond the nine do not count
  EXPECT_EQ(MediaButtonAt(playAndStop, 100, 50), 0);
  EXPECT_EQ(MediaButtonAt(playAndStop, 100, 150), 2);
  EXPECT_EQ(MediaButtonAt(playAndStop, 100, 201), kNoMediaButton);
  EXPECT_EQ(MediaButtonAt(0, 0, 5), kNoMediaButton);
  EXPECT_EQ(MediaButtonFace(true, true), 2);
  EXPECT_EQ(MediaButtonFace(false, true), 3);
  EXPECT_EQ(MediaButtonFace(true, false), 1);
  EXPECT_EQ(MediaGlyphState(true, true), 2);
  EXPECT_EQ(MediaGlyphState(false, true), 1);
  EXPECT_EQ(MediaGlyphState(true, false), 0);
}

} // namespace
} // namespace skin
