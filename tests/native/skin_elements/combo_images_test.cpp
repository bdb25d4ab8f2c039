// The combo box images composed at load time and the arrow cut from them, pixel by pixel.
#include "skin/data/core/nine_slice.h"
#include "test_bmp.h"
#include "test_skin_builder.h"

#include <gtest/gtest.h>

namespace {

using elementtest::SolidFrames;
using elementtest::TestSkin;
using fw::Pixel;
using fw::RgbPixel;

const std::vector<Pixel> kEdge = {RgbPixel(10, 0, 0), RgbPixel(20, 0, 0), RgbPixel(30, 0, 0),
                                  RgbPixel(40, 0, 0)};
const std::vector<Pixel> kButton = {RgbPixel(0, 10, 0), RgbPixel(0, 20, 0), RgbPixel(0, 30, 0),
                                    RgbPixel(0, 40, 0)};
constexpr int kArrowWidth = 16; // s = 18: the button covers columns 32..49 of each 50-wide cell

TestSkin ComboSkin(bool withExtra) {
  TestSkin skin;
  skin.env.HorzScrollArrowWidth = kArrowWidth;
  skin.ini = "[SunkEdge]\r\nImage=edge.bmp\r\nTopHeight=1\r\nBottomHeight=2\r\n"
             "[ComboButton]\r\nImage=button.bmp\r\n";
  skin.Image("edge.bmp", SolidFrames(8, 8, kEdge)).Image("button.bmp", SolidFrames(6, 9, kButton));
  if (withExtra) {
    // Five frames (the element's fixed count): a single dot in the middle of each, the rest
    // transparent.
    fw::TBitmap extra = SolidFrames(9, 21, std::vector<Pixel>(5, fw::kMagentaPixel));
    for (int k = 0; k < 4; ++k)
      extra.At(9 * k + 4, 10) = RgbPixel(0, 0, 100 + k);
    skin.ini += "[ExtraImages]\r\nImage=extra.bmp\r\n";
    skin.Image("extra.bmp", extra);
  }
  return skin;
}

// What cell k (0-based) of the composed combo strip holds at (x, y).
Pixel ExpectedCell(int k, int x, int y) {
  const int s = kArrowWidth + 2;
  if (x >= 2 && x < 49 - s && y >= 2 && y < 18) return fw::kMagentaPixel;
  if (x >= 50 - s) return kButton[static_cast<std::size_t>(k)];
  return kEdge[static_cast<std::size_t>(k)];
}

TEST(ComboImages, ComposeEdgeAndButtonIntoFiftyByTwentyOneCells) {
  const skin::TSkinElements e = ComboSkin(false).Load();
  ASSERT_NE(e.ComboButton, nullptr);
  const fw::TBitmap& strip = e.ComboButton->Bitmap;
  ASSERT_EQ(strip.Width(), 200);
  ASSERT_EQ(strip.Height(), 21);
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 50; ++x)
        ASSERT_EQ(strip.At(50 * k + x, y), ExpectedCell(k, x, y)) << k << ": " << x << "," << y;
  EXPECT_EQ(e.ComboButton->Style, 2);
  EXPECT_EQ(e.ComboButton->LeftWidth, 2);
  EXPECT_EQ(e.ComboButton->RightWidth, kArrowWidth + 4);
  EXPECT_EQ(e.ComboButton->TopHeight, 1);
  EXPECT_EQ(e.ComboButton->BottomHeight, 2);

  const fw::TBitmap& mirrored = e.SunkEdge->Bitmap;
  ASSERT_EQ(mirrored.Width(), 200);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 200; ++x)
      ASSERT_EQ(mirrored.At(x, y), strip.At(199 - x, y)) << x << "," << y;
  EXPECT_EQ(e.SunkEdge->LeftWidth, kArrowWidth + 4);
  EXPECT_EQ(e.SunkEdge->RightWidth, 2);
}

TEST(ComboImages, ButtonKeepsItsOriginalImageMirroredAsSecondBitmap) {
  const skin::TSkinElements e = ComboSkin(false).Load();
  const fw::TBitmap& second = e.ComboButton->Bitmap2;
  ASSERT_EQ(second.Width(), 24);
  EXPECT_EQ(second.At(0, 0), kButton[3]);
  EXPECT_EQ(second.At(23, 0), kButton[0]);
  EXPECT_EQ(second.PixelFormat(), fw::TPixelFormat::pf24bit);
}

TEST(ComboImages, ExtraImagesAreDrawnOverTheButton) {
  const skin::TSkinElements e = ComboSkin(true).Load();
  const fw::TBitmap& strip = e.ComboButton->Bitmap;
  // The 9 × 21 extra frame is stretched over 18 × 21: its column 4 covers columns 8..9.
  const std::vector<int> columns = fw::NearestNeighbourMap(9, 18, false);
  for (int k = 0; k < 4; ++k) {
    for (int x = 32; x < 50; ++x) {
      const bool dot = columns[static_cast<std::size_t>(x - 32)] == 4;
      EXPECT_EQ(strip.At(50 * k + x, 10),
                dot ? RgbPixel(0, 0, 100 + k) : kButton[static_cast<std::size_t>(k)])
          << k << "," << x;
    }
  }
}

TEST(ComboArrow, IsCutFromTheComposedCells) {
  const skin::TSkinElements e = ComboSkin(false).Load();
  const fw::TBitmap& arrow = e.ComboxArrow->Bitmap;
  ASSERT_EQ(arrow.Width(), 17 * 4);
  ASSERT_EQ(arrow.Height(), 17);
  EXPECT_EQ(e.ComboxArrow->FrameCount, 4);
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 17; ++x)
        ASSERT_EQ(arrow.At(17 * k + x, y), ExpectedCell(k, 31 + x, 2 + y))
            << k << ":" << x << "," << y;
}

TEST(ComboArrow, WithoutSunkenEdgeIsTheButtonWithMagentaAsButtonFace) {
  fw::TBitmap button = SolidFrames(5, 5, kButton);
  button.At(2, 2) = fw::kMagentaPixel;
  button.At(3, 3) = RgbPixel(254, 0, 255);
  TestSkin skin;
  skin.ini = "[ComboButton]\r\nImage=button.bmp\r\n[Colours]\r\nButtonFace=1 2 3\r\n";
  skin.Image("button.bmp", button);
  const skin::TSkinElements e = skin.Load();
  const fw::TBitmap& arrow = e.ComboxArrow->Bitmap;
  ASSERT_EQ(arrow.Width(), 20);
  EXPECT_EQ(arrow.At(2, 2), RgbPixel(1, 2, 3));
  EXPECT_EQ(arrow.At(3, 3), RgbPixel(254, 0, 255));
  EXPECT_EQ(arrow.At(7, 0), kButton[1]);
  EXPECT_EQ(e.ComboxArrow->FrameCount, 4);
  EXPECT_EQ(e.ComboButton->Style, 0) << "no composition without a sunken edge";
  EXPECT_EQ(e.ComboButton->Bitmap.At(2, 2), fw::kMagentaPixel) << "the button keeps its image";
}

} // namespace
