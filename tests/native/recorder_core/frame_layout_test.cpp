#include "recorder/core/alignment.h"
#include "recorder/core/fourcc.h"
#include "recorder/core/frame_layout.h"

#include <gtest/gtest.h>

using namespace recorder;

TEST(FrameLayout, RowsArePaddedToFourBytes) {
  EXPECT_EQ(DibStride(321, 24), 964); // 963 bytes of pixels, padded
  EXPECT_EQ(DibStride(320, 24), 960);
  EXPECT_EQ(DibStride(1, 16), 4);
  EXPECT_EQ(DibStride(3, 8), 4);
  EXPECT_EQ(DibStride(5, 8), 8);
  for (int w : {1, 2, 3, 321, 1366, 1920})
    EXPECT_EQ(DibStride(w, 32), w * 4) << w;
}

TEST(FrameLayout, StrideDoesNotOverflowForHugeWidths) {
  // 0x7FFFFFFF pixels at 32 bpp overflows 32 bits before the division.
  EXPECT_EQ(DibStride(0x7FFFFFFF, 32), std::int64_t{0x7FFFFFFF} * 4);
}

TEST(FrameLayout, ColourTableOnlyForPalettisedDepths) {
  EXPECT_EQ(ColorTableEntries(8), 256u);
  EXPECT_EQ(ColorTableBytes(8), 1024u);
  EXPECT_EQ(ColorTableEntries(4), 16u);
  EXPECT_EQ(ColorTableEntries(1), 2u);
  for (int bpp : {16, 24, 32}) {
    EXPECT_EQ(ColorTableEntries(bpp), 0u);
    EXPECT_EQ(PixelOffset(bpp), 40u);
  }
  EXPECT_EQ(PixelOffset(8), 40u + 1024u);
}

TEST(FrameLayout, BlockHoldsHeaderTableAndRows) {
  EXPECT_EQ(ImageSize(321, 10, 24), 9640);
  EXPECT_EQ(FrameBlockSize(321, 10, 24), 40 + 9640);
  EXPECT_EQ(FrameBlockSize(320, 200, 8), 40 + 1024 + 320 * 200);
  EXPECT_EQ(FrameBlockSize(1280, 1024, 32), 40 + 1280 * 1024 * 4);
}

TEST(Alignment, RaisesUnlessTheScreenIsExceeded) {
  EXPECT_EQ(AlignDimension(1366, 4, 1366), 1364); // 1368 would exceed the screen
  EXPECT_EQ(AlignDimension(1366, 8, 1366), 1360);
  EXPECT_EQ(AlignDimension(1366, 2, 1366), 1366); // already a multiple
  EXPECT_EQ(AlignDimension(321, 4, 1280), 324);
  EXPECT_EQ(AlignDimension(321, 8, 1280), 328);
  EXPECT_EQ(AlignDimension(321, 2, 1280), 322);
  EXPECT_EQ(AlignDimension(1024, 8, 1024), 1024);
  EXPECT_EQ(AlignDimension(1023, 8, 1024), 1024); // reaching the limit is allowed
  EXPECT_EQ(AlignDimension(1023, 8, 1023), 1016);
}

TEST(FourCC, FirstLetterInLowestByte) {
  EXPECT_EQ(FourCC("MSVC"), 0x4356534Du);
  EXPECT_EQ(kStreamTypeVideo, 0x73646976u);
  EXPECT_EQ(FourCCText(FourCC("IV50")), "IV50");
  EXPECT_EQ(FourCCText(kCompressorTypeVideo), "vidc");
}
