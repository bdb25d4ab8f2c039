// The BMP reader: every depth and coding it accepts, row orders, and damaged files refused
// without reading past them or allocating what they claim.
#include "framework/core/bmp_reader.h"
#include "test_bmp.h"

#include <gtest/gtest.h>

namespace {

using bmptest::BmpFile;
using bmptest::Bytes;
using bmptest::Rows;
using fw::RgbPixel;
using fw::TPixelFormat;

const std::vector<fw::Pixel> kPalette16 = [] {
  std::vector<fw::Pixel> p;
  for (int i = 0; i < 16; ++i)
    p.push_back(RgbPixel(i * 16, 255 - i * 16, i * 3));
  return p;
}();

TEST(BmpReader, Reads24BitBottomUpAndTopDown) {
  BmpFile f;
  f.width = 2;
  f.height = 2;
  // Bottom row first: blue, green, red bytes.
  f.pixels = Rows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  const fw::TBitmap up = fw::LoadBmp(f.Build());
  EXPECT_EQ(up.At(0, 1), RgbPixel(3, 2, 1));
  EXPECT_EQ(up.At(1, 1), RgbPixel(6, 5, 4));
  EXPECT_EQ(up.At(0, 0), RgbPixel(9, 8, 7));
  EXPECT_EQ(up.PixelFormat(), TPixelFormat::pf24bit);
  f.height = -2;
  const fw::TBitmap down = fw::LoadBmp(f.Build());
  EXPECT_EQ(down.At(0, 0), RgbPixel(3, 2, 1));
  EXPECT_EQ(down.At(1, 1), RgbPixel(12, 11, 10));
}

TEST(BmpReader, ReadsPaletteImagesOf1_4And8Bits) {
  BmpFile f;
  f.width = 10;
  f.height = 1;
  f.bitCount = 1;
  f.palette = {RgbPixel(10, 20, 30), RgbPixel(200, 100, 50)};
  f.pixels = Rows({{0b10110000, 0b01000000}});
  const fw::TBitmap one = fw::LoadBmp(f.Build());
  const int bits[10] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
  for (int x = 0; x < 10; ++x)
    EXPECT_EQ(one.At(x, 0), f.palette[static_cast<std::size_t>(bits[x])]) << x;
  EXPECT_EQ(one.PixelFormat(), TPixelFormat::pf1bit);

  f.bitCount = 4;
  f.width = 3;
  f.palette = kPalette16;
  f.pixels = Rows({{0x3F, 0x90}});
  const fw::TBitmap four = fw::LoadBmp(f.Build());
  EXPECT_EQ(four.At(0, 0), kPalette16[3]);
  EXPECT_EQ(four.At(1, 0), kPalette16[15]);
  EXPECT_EQ(four.At(2, 0), kPalette16[9]);

  f.bitCount = 8;
  f.palette = kPalette16;
  f.paletteCount = 16;
  f.pixels = Rows({{2, 14, 200}});
  const fw::TBitmap eight = fw::LoadBmp(f.Build());
  EXPECT_EQ(eight.At(0, 0), kPalette16[2]);
  EXPECT_EQ(eight.At(1, 0), kPalette16[14]);
  EXPECT_EQ(eight.At(2, 0), 0u) << "an index past the palette is black";
}

TEST(BmpReader, Reads16BitAs555WithoutMasksAnd565WithBitfields) {
  BmpFile f;
  f.width = 2;
  f.bitCount = 16;
  // 0x7C00 = full red in 5-5-5; 0x001F = full blue.
  f.pixels = Rows({{0x00, 0x7C, 0x1F, 0x00}});
  const fw::TBitmap rgb555 = fw::LoadBmp(f.Build());
  EXPECT_EQ(rgb555.At(0, 0), RgbPixel(255, 0, 0));
  EXPECT_EQ(rgb555.At(1, 0), RgbPixel(0, 0, 255));
  EXPECT_EQ(rgb555.PixelFormat(), TPixelFormat::pf15bit);

  f.compression = 3;
  f.masks = {0xF800, 0x07E0, 0x001F};
  // 0x07E0 = full green in 5-6-5; 0x8410 = half of each channel.
  f.pixels = Rows({{0xE0, 0x07, 0x10, 0x84}});
  const fw::TBitmap rgb565 = fw::LoadBmp(f.Build());
  EXPECT_EQ(rgb565.At(0, 0), RgbPixel(0, 255, 0));
  EXPECT_EQ(rgb565.At(1, 0), RgbPixel(16 * 255 / 31 + 1, 32 * 255 / 63 + 1, 16 * 255 / 31 + 1));
  EXPECT_EQ(rgb565.PixelFormat(), TPixelFormat::pf16bit);
}

TEST(BmpReader, Reads32BitDroppingAlphaAndHonouringMasks) {
  BmpFile f;
  f.width = 1;
  f.bitCount = 32;
  f.pixels = {0x11, 0x22, 0x33, 0xFF};
  EXPECT_EQ(fw::LoadBmp(f.Build()).At(0, 0), RgbPixel(0x33, 0x22, 0x11));
  f.compression = 3;
  f.masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // red in the lowest byte
  EXPECT_EQ(fw::LoadBmp(f.Build()).At(0, 0), RgbPixel(0x11, 0x22, 0x33));
}

TEST(BmpReader, ReadsTheCoreHeaderWithThreeBytePaletteEntries) {
  BmpFile f;
  f.infoBytes = 12;
  f.width = 2;
  f.bitCount = 8;
  f.palette = {RgbPixel(1, 2, 3), RgbPixel(4, 5, 6)};
  f.pixels = Rows({{1, 0}});
  const fw::TBitmap b = fw::LoadBmp(f.Build());
  EXPECT_EQ(b.At(0, 0), RgbPixel(4, 5, 6));
  EXPECT_EQ(b.At(1, 0), RgbPixel(1, 2, 3));
}

TEST(BmpReader, ReadsRle8RunsAbsoluteRunsDeltasAndEnds) {
  BmpFile f;
  f.width = 6;
  f.height = 3;
  f.bitCount = 8;
  f.compression = 1;
  f.palette = kPalette16;
  f.pixels = {3, 5,             // bottom row: three of 5
              0, 3, 7, 8, 9, 0, // absolute run of 3 (padded)
              0, 0,             // end of line
              0, 2, 2, 1,       // delta: right 2, up 1 row
              2, 4,             // two of 4 at x 2..3 of the top row
              0, 1};            // end of bitmap
  const fw::TBitmap b = fw::LoadBmp(f.Build());
  for (int x = 0; x < 3; ++x)
    EXPECT_EQ(b.At(x, 2), kPalette16[5]);
  EXPECT_EQ(b.At(3, 2), kPalette16[7]);
  EXPECT_EQ(b.At(5, 2), kPalette16[9]);
  EXPECT_EQ(b.At(0, 1), 0u) << "pixels never set are black";
  EXPECT_EQ(b.At(2, 0), kPalette16[4]);
  EXPECT_EQ(b.At(3, 0), kPalette16[4]);
  EXPECT_EQ(b.At(4, 0), 0u);
}

TEST(BmpReader, ReadsRle4NibblesAndClipsRunsLeavingThePicture) {
  BmpFile f;
  f.width = 4;
  f.height = 1;
  f.bitCount = 4;
  f.compression = 2;
  f.palette = kPalette16;
  f.pixels = {3, 0x12,             // 1, 2, 1
              0, 3,    0xAB, 0xC0, // absolute 3 nibbles: A B C (only A fits)
              0, 1};
  const fw::TBitmap b = fw::LoadBmp(f.Build());
  EXPECT_EQ(b.At(0, 0), kPalette16[1]);
  EXPECT_EQ(b.At(1, 0), kPalette16[2]);
  EXPECT_EQ(b.At(2, 0), kPalette16[1]);
  EXPECT_EQ(b.At(3, 0), kPalette16[0xA]);
}

TEST(BmpReader, RefusesDamagedFiles) {
  BmpFile good;
  good.width = 2;
  good.height = 2;
  good.pixels = Rows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}});
  const Bytes file = good.Build();
  ASSERT_NO_THROW(fw::LoadBmp(file));

  // Every cut of the file is refused, none is read past its end (the sanitizer build checks).
  for (std::size_t length = 0; length + 2 < file.size(); ++length) {
    EXPECT_THROW(fw::LoadBmp(std::span(file.data(), length)), fw::EInvalidGraphic) << length;
  }
  auto refused = [](BmpFile f) {
    EXPECT_THROW(fw::LoadBmp(f.Build()), fw::EInvalidGraphic)
        << f.width << "x" << f.height << " bits " << f.bitCount << " coding " << f.compression;
  };
  BmpFile f = good;
  f.bitCount = 7;
  refused(f);
  f = good;
  f.compression = 4; // JPEG inside a BMP
  refused(f);
  f = good;
  f.compression = 1; // RLE8 needs 8 bits
  refused(f);
  f = good;
  f.infoBytes = 20;
  refused(f);
  f = good;
  f.width = 0;
  refused(f);
  f = good;
  f.offBitsAdjust = 1000;
  refused(f);
  Bytes notBm = file;
  notBm[0] = 'X';
  EXPECT_THROW(fw::LoadBmp(notBm), fw::EInvalidGraphic);
}

TEST(BmpReader, LyingSizesAreRefusedBeforeAnyAllocation) {
  BmpFile f;
  f.width = 16000;
  f.height = 16000; // 1 GB of pixels claimed by a file of a few bytes
  f.pixels = {1, 2, 3};
  EXPECT_THROW(fw::LoadBmp(f.Build()), fw::EInvalidGraphic);
  f.width = 4000;
  f.height = 4000; // within the bitmap limit, but the rows are not in the file
  EXPECT_THROW(fw::LoadBmp(f.Build()), fw::EInvalidGraphic);
  f.bitCount = 8;
  f.compression = 1; // a run-length image of 16 M pixels from 4 bytes of data
  f.palette = kPalette16;
  f.pixels = {0, 1};
  EXPECT_THROW(fw::LoadBmp(f.Build()), fw::EInvalidGraphic);
  f.width = 64;
  f.height = 64; // small enough for its data: an image that is only an end mark is black
  const fw::TBitmap blank = fw::LoadBmp(f.Build());
  EXPECT_EQ(blank.Width(), 64);
  EXPECT_EQ(blank.At(63, 63), 0u);
}

TEST(BmpReader, ReadsWhatTheTestWriterWrites) {
  const fw::TBitmap image = bmptest::CoordinateImage(7, 5);
  const fw::TBitmap back = fw::LoadBmp(bmptest::Bmp24Of(image));
  EXPECT_EQ(bmptest::Describe(back), bmptest::Describe(image));
}

} // namespace
