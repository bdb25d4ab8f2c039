// The Windows side of the framework bitmap: nearest-neighbour stretching matches GDI's
// StretchBlt in COLORONCOLOR mode, DIB sections share their pixels with portable code, and GDI
// bitmaps and resources read back exactly.
#include "framework/bitmap.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using fw::TBitmap;

TBitmap Coordinates(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.At(x, y) = fw::RgbPixel(x, y, 0x80);
  return b;
}

TEST(BitmapWin, StretchCopyMatchesGdiColorOnColor) {
  const int sizes[][4] = {{3, 3, 7, 7},     {7, 7, 3, 3},     {5, 4, 12, 9},   {12, 9, 5, 4},
                          {10, 1, 25, 1},   {25, 2, 10, 2},   {1, 1, 4, 4},    {4, 4, 1, 1},
                          {16, 21, 21, 16}, {50, 21, 18, 21}, {9, 21, 18, 21}, {6, 6, 13, 11},
                          {25, 25, 10, 10}, {11, 4, 4, 11},   {5, 7, 1, 2},    {100, 30, 37, 13}};
  for (const auto& s : sizes) {
    TBitmap source = Coordinates(s[0], s[1]);
    TBitmap byGdi(s[2], s[3]);
    byGdi.Fill(0x010203);
    fw::DrawInto(byGdi, [&](HDC dc) {
      fw::StretchDrawBitmap(dc, {0, 0, s[2], s[3]}, source, {0, 0, s[0], s[1]}, COLORONCOLOR);
    });
    TBitmap ours(s[2], s[3]);
    ours.Fill(0x010203);
    fw::StretchCopy(ours, {0, 0, s[2], s[3]}, source, {0, 0, s[0], s[1]});
    for (int y = 0; y < s[3]; ++y)
      for (int x = 0; x < s[2]; ++x)
        ASSERT_EQ(ours.At(x, y) & 0xFFFFFF, byGdi.At(x, y) & 0xFFFFFF)
            << s[0] << "x" << s[1] << " -> " << s[2] << "x" << s[3] << " at " << x << "," << y;
  }
}

TEST(BitmapWin, DibSectionKeepsThePixelsAndSharesThem) {
  TBitmap b = Coordinates(5, 3);
  HBITMAP handle = fw::BitmapHandle(b);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(fw::BitmapHandle(b), handle) << "one DIB section per bitmap";
  EXPECT_EQ(b.At(4, 2), fw::RgbPixel(4, 2, 0x80)) << "pixels moved into the DIB section";
  fw::DrawInto(b, [](HDC dc) { ::SetPixel(dc, 1, 1, RGB(10, 20, 30)); });
  EXPECT_EQ(b.At(1, 1) & 0xFFFFFF, fw::RgbPixel(10, 20, 30)) << "GDI drew into the same memory";
  const TBitmap copy = fw::BitmapFromHandle(handle);
  ASSERT_EQ(copy.Width(), 5);
  EXPECT_EQ(copy.At(4, 0), fw::RgbPixel(4, 0, 0x80));
  EXPECT_EQ(copy.At(1, 1), fw::RgbPixel(10, 20, 30));
}

TEST(BitmapWin, ProgramBitmapsAreLinkedIn) {
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  const TBitmap menu = fw::LoadBitmapResource(module, L"GLAZEMENU");
  EXPECT_EQ(menu.Width(), 64) << "four 16 x 16 glyphs";
  EXPECT_EQ(menu.Height(), 16);
  EXPECT_EQ(menu.At(0, 0), fw::RgbPixel(255, 255, 255)) << "white is the mask colour";
  EXPECT_FALSE(fw::LoadBitmapResource(module, L"TRACK").Empty());
  EXPECT_FALSE(fw::LoadBitmapResource(module, L"TRACKVERT").Empty());
  EXPECT_TRUE(fw::LoadBitmapResource(module, L"NOSUCHBITMAP").Empty());
}

} // namespace
