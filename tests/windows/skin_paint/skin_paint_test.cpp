#include "framework/bitmap.h"
#include "skin/forms/skin_paint.h"

#include <gtest/gtest.h>

#include <utility>

using namespace skin;
using fw::Pixel;
using fw::RgbPixel;

namespace {

constexpr Pixel kGrey = RgbPixel(90, 90, 90);
constexpr Pixel kRed = RgbPixel(200, 0, 0);
constexpr Pixel kBlue = RgbPixel(0, 0, 200);

TBitmap Filled(int w, int h, Pixel p) {
  TBitmap b(w, h, fw::TPixelFormat::pf32bit);
  b.Fill(p);
  return b;
}

Pixel At(const TBitmap& b, int x, int y) {
  return b.At(x, y) & 0xFFFFFF;
}

constexpr COLORREF kParentColour = RGB(10, 120, 30);

// A parent that paints itself in one colour, into whatever DC it is handed.
LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    ::GetClientRect(wnd, &r);
    HBRUSH brush = ::CreateSolidBrush(kParentColour);
    ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
    ::DeleteObject(brush);
    return 1;
  }
  if (msg == WM_PAINT && wParam) return 0; // painted into the given DC: nothing more
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

} // namespace

TEST(SkinPaint, TransparentDrawingLeavesMagentaPixelsAlone) {
  TBitmap image = Filled(20, 10, kRed);
  for (int x = 0; x < 20; x += 2)
    image.At(x, 3) = fw::kMagentaPixel;
  image.At(5, 5) = RgbPixel(254, 0, 255); // near magenta is drawn
  TBitmap target = Filled(40, 30, kGrey);
  fw::DrawInto(target, [&](HDC dc) { DrawTransparent(dc, {10, 10, 30, 20}, image, 0xFF00FF); });
  EXPECT_EQ(At(target, 10, 13), kGrey); // magenta: untouched
  EXPECT_EQ(At(target, 11, 13), kRed);
  EXPECT_EQ(At(target, 15, 15), RgbPixel(254, 0, 255));
  EXPECT_EQ(At(target, 9, 10), kGrey); // outside the rectangle
  EXPECT_EQ(At(target, 29, 19), kRed);
  EXPECT_EQ(At(target, 30, 20), kGrey);
}

TEST(SkinPaint, NineSliceOnADeviceContextMatchesTheRendering) {
  TBitmap image = Filled(30, 30, kBlue);
  image.FillRect({0, 0, 5, 30}, kRed); // left part
  TBitmap target = Filled(100, 40, kGrey);
  fw::DrawInto(target, [&](HDC dc) {
    DrawNineSlice(dc, {10, 5, 90, 35}, image, false, false, false, 1, 1, {5, 0, 5, 0});
    DrawNineSlice(dc, {50, 20, 40, 10}, image, false, false, false, 1, 1, {}); // inverted: nothing
  });
  TBitmap expected = RenderNineSlice(80, 30, image, {5, 0, 5, 0}, false, false, 1, 1);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(At(target, 10 + x, 5 + y), At(expected, x, y)) << x << "," << y;
  EXPECT_EQ(At(target, 9, 5), kGrey);
  EXPECT_EQ(At(target, 14, 5), kRed);
  EXPECT_EQ(At(target, 15, 5), kBlue);
}

TEST(SkinPaint, FramesAreChosenStretchedAndCentred) {
  TBitmap strip = Filled(60, 10, kRed); // three frames of 20
  strip.FillRect({20, 0, 40, 10}, kBlue);
  TBitmap target = Filled(80, 40, kGrey);
  fw::DrawInto(target, [&](HDC dc) {
    DrawFrame(dc, {0, 0, 40, 20}, strip, false, 3, 2);         // frame 2 stretched
    DrawFrameCentred(dc, {40, 0, 80, 40}, strip, false, 3, 2); // 20 x 10 centred
  });
  EXPECT_EQ(At(target, 0, 0), kBlue);
  EXPECT_EQ(At(target, 39, 19), kBlue);
  EXPECT_EQ(At(target, 40, 0), kGrey);
  EXPECT_EQ(At(target, 50, 15), kBlue); // 40 + (40 - 20) / 2 = 50, 0 + (40 - 10) / 2 = 15
  EXPECT_EQ(At(target, 69, 24), kBlue);
  EXPECT_EQ(At(target, 49, 15), kGrey);
  EXPECT_EQ(At(target, 70, 25), kGrey);
}

TEST(SkinPaint, ThreeSliceTilesTheMiddleAndKeepsTheEnds) {
  TBitmap image = Filled(16, 8, kBlue);
  image.FillRect({0, 0, 3, 8}, kRed);   // left end
  image.FillRect({13, 0, 16, 8}, kRed); // right end
  image.At(3, 0) = fw::kMagentaPixel;   // first middle column, top row: transparent
  TBitmap target = Filled(60, 20, kGrey);
  fw::DrawInto(target, [&](HDC dc) {
    DrawThreeSlice(dc, {0, 0, 50, 8}, image, false, true, 1, 1, {3, 0, 3, 0});
  });
  EXPECT_EQ(At(target, 0, 0), kRed);
  EXPECT_EQ(At(target, 49, 7), kRed);
  EXPECT_EQ(At(target, 4, 0), kBlue);
  EXPECT_EQ(At(target, 3, 0), kGrey);      // magenta left the target alone ...
  EXPECT_EQ(At(target, 3 + 10, 0), kGrey); // ... in every tile of the middle
  // No middle at all: ends only, no endless loop, and nothing drawn between the ends.
  fw::DrawInto(target, [&](HDC dc) {
    DrawThreeSlice(dc, {0, 10, 50, 18}, image, false, false, 1, 1, {8, 0, 8, 0});
  });
  EXPECT_EQ(At(target, 0, 10), kRed);
  EXPECT_EQ(At(target, 49, 17), kRed);
  EXPECT_EQ(At(target, 25, 12), kGrey);
}

TEST(SkinPaint, NothingToDrawLeavesTheTargetAlone) {
  const TBitmap none;
  const TBitmap strip = Filled(60, 10, kRed); // three frames of 20
  TBitmap target = Filled(80, 40, kGrey);
  fw::DrawInto(target, [&](HDC dc) {
    const TRect r{5, 5, 75, 35};
    for (const TBitmap* image : {&none, &strip}) {
      // The empty image, and frames that are not in the strip: 4 of 3, 0, and 1 of 100 (a strip
      // too narrow for its frame count).
      for (auto [count, frame] : {std::pair{3, 4}, std::pair{3, 0}, std::pair{100, 1}}) {
        if (image == &none && frame != 4) continue;
        DrawNineSlice(dc, r, *image, false, true, false, count, frame, {2, 2, 2, 2});
        DrawNineSlice(dc, r, *image, true, false, true, count, frame, {});
        DrawThreeSlice(dc, r, *image, false, false, count, frame, {3, 0, 3, 0});
        DrawFrame(dc, r, *image, false, count, frame);
        DrawFrameCentred(dc, r, *image, false, count, frame);
        StretchThreePart(dc, r, *image, false, count, frame, {3, 0, 3, 0});
      }
    }
    DrawTransparent(dc, r, none, 0xFF00FF);
  });
  int drawn = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x)
      drawn += At(target, x, y) != kGrey;
  EXPECT_EQ(drawn, 0);
  EXPECT_TRUE(RenderNineSlice(30, 20, none, {}, false, false, 1, 1).Empty());
}

TEST(SkinPaint, RegionsCoverExactlyTheOpaquePixels) {
  TBitmap plain = Filled(30, 20, kRed);
  fw::Region full = RegionFromBitmap(plain, 5, 7, 1, 1, 1, 0xFF00FF);
  RECT box;
  EXPECT_EQ(::GetRgnBox(full.get(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.top, 7);
  EXPECT_EQ(box.right, 35);
  EXPECT_EQ(box.bottom, 27);

  TBitmap clear = Filled(30, 20, fw::kMagentaPixel);
  EXPECT_EQ(::GetRgnBox(RegionFromBitmap(clear, 0, 0, 1, 1, 1, 0xFF00FF).get(), &box), NULLREGION);

  // A checker board of 1-pixel runs: far more rectangles than one batch holds.
  TBitmap checker = Filled(200, 100, fw::kMagentaPixel);
  for (int y = 0; y < 100; ++y)
    for (int x = (y % 2); x < 200; x += 2)
      checker.At(x, y) = kBlue;
  checker.At(1, 0) = RgbPixel(255, 1, 255); // green within the tolerance of 1: transparent
  checker.At(3, 0) = RgbPixel(254, 0, 255); // tolerances reach upwards only: opaque
  fw::Region region = RegionFromBitmap(checker, 3, 4, 1, 1, 1, 0xFF00FF);
  int mismatches = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      const Pixel p = checker.At(x, y) & 0xFFFFFF;
      const bool opaque = p == kBlue || p == RgbPixel(254, 0, 255);
      mismatches += opaque != (::PtInRegion(region.get(), x + 3, y + 4) != FALSE);
    }
  EXPECT_EQ(mismatches, 0);
}

TEST(SkinPaint, ParentPaintsBehindAControl) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"tests.PaintParent";
  ::RegisterClassW(&wc);
  HWND parent = ::CreateWindowExW(0, L"tests.PaintParent", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 50, 20, 40, 30, parent, nullptr,
                                 wc.hInstance, nullptr);
  TBitmap target = Filled(40, 30, kGrey);
  fw::DrawInto(target, [&](HDC dc) { PaintParentInto(child, dc); });
  EXPECT_EQ(At(target, 0, 0), fw::PixelOf(kParentColour));
  EXPECT_EQ(At(target, 39, 29), fw::PixelOf(kParentColour));
  ::DestroyWindow(parent);
}
