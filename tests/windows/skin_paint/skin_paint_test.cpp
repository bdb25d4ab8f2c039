#include "framework/bitmap.h"
#include "framework/form.h"
#include "skin/common/skin_paint.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

constexpr COLORREF kParentColour = RGB(10, 120, 30), kStripeColour = RGB(230, 200, 20);

// What a parent shows at (x, y) of its client area: stripes 3 of every 7 pixels wide across, and
// bands 2 of every 5 pixels high, over its background, so that any shift shows.
bool Striped(int x, int y) {
  return x % 7 < 3 || y % 5 < 2;
}

void PaintStripes(HWND wnd, HDC dc) {
  RECT r;
  ::GetClientRect(wnd, &r);
  HBRUSH brush = ::CreateSolidBrush(kStripeColour);
  for (int x = 0; x < r.right; x += 7) {
    RECT stripe{x, 0, x + 3, r.bottom};
    ::FillRect(dc, &stripe, brush);
  }
  for (int y = 0; y < r.bottom; y += 5) {
    RECT band{0, y, r.right, y + 2};
    ::FillRect(dc, &band, brush);
  }
  ::DeleteObject(brush);
}

// A parent that erases in one colour and paints stripes over it, as ordinary windows do: its
// WM_PAINT paints the screen (BeginPaint), WM_PRINTCLIENT the DC it is handed.
LRESULT CALLBACK StripedParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_ERASEBKGND: {
    RECT r;
    ::GetClientRect(wnd, &r);
    HBRUSH brush = ::CreateSolidBrush(kParentColour);
    ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
    ::DeleteObject(brush);
    return 1;
  }
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(wnd, &ps);
    PaintStripes(wnd, dc);
    ::EndPaint(wnd, &ps);
    return 0;
  }
  case WM_PRINTCLIENT:
    if (lParam & PRF_CLIENT) PaintStripes(wnd, reinterpret_cast<HDC>(wParam));
    return 0;
  default:
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

// A system dialog whose background brush is a pattern of the same stripes.
struct StripedDialog {
  StripedDialog() {
    TBitmap pattern(7, 5, fw::TPixelFormat::pf32bit);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        pattern.At(x, y) = fw::PixelOf(Striped(x, y) ? kStripeColour : kParentColour);
    brush.reset(::CreatePatternBrush(fw::BitmapHandle(pattern)));
  }
  static INT_PTR CALLBACK Proc(HWND wnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) ::SetWindowLongPtrW(wnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<StripedDialog*>(::GetWindowLongPtrW(wnd, DWLP_USER));
    if (msg == WM_CTLCOLORDLG && self) return reinterpret_cast<INT_PTR>(self->brush.get());
    return FALSE;
  }
  HWND Create(int width, int height) {
    struct {
      DLGTEMPLATE t;
      WORD menu, cls, title;
    } dlg{};
    dlg.t.style = WS_POPUP;
    HWND wnd = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &dlg.t, nullptr, Proc,
                                            reinterpret_cast<LPARAM>(this));
    ::SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    return wnd;
  }
  fw::Brush brush;
};

// The screen's pixels in a rectangle, read as the recorder reads them.
TBitmap ScreenArea(const RECT& r) {
  TBitmap area(r.right - r.left, r.bottom - r.top, fw::TPixelFormat::pf32bit);
  fw::DrawInto(area, [&](HDC dc) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc, 0, 0, area.Width(), area.Height(), screen, r.left, r.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
  });
  return area;
}

// Shows `parent` at (x, y), puts a hidden bordered child at an offset in it, and checks that
// PaintParentInto paints, into a bitmap of the child's window size, exactly what the parent shows
// on the screen where the child would be.
void ExpectParentBehindChild(HWND parent, const wchar_t* name) {
  ::SetWindowPos(parent, HWND_TOPMOST, 100, 80, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_BORDER, 37, 23, 61, 44, parent,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::RedrawWindow(parent, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  testing_support::PumpFor(150);
  RECT place;
  ::GetWindowRect(child, &place);
  const TBitmap screen = ScreenArea(place);

  TBitmap painted = Filled(61, 44, kGrey);
  // Composed at an offset in a larger buffer with its own viewport, as painters do.
  TBitmap larger = Filled(81, 64, kGrey);
  fw::DrawInto(painted, [&](HDC dc) { PaintParentInto(child, dc); });
  fw::DrawInto(larger, [&](HDC dc) {
    ::SetViewportOrgEx(dc, 10, 10, nullptr);
    PaintParentInto(child, dc);
  });
  int mismatches = 0, stripes = 0;
  for (int y = 0; y < 44; ++y)
    for (int x = 0; x < 61; ++x) {
      mismatches += At(painted, x, y) != At(screen, x, y);
      mismatches += At(larger, x + 10, y + 10) != At(screen, x, y);
      stripes += At(screen, x, y) == fw::PixelOf(kStripeColour);
    }
  EXPECT_EQ(mismatches, 0) << name;
  EXPECT_GT(stripes, 0) << name;
  EXPECT_EQ(At(larger, 9, 9), kGrey) << name; // clipped to the child's place
  EXPECT_EQ(At(larger, 71, 54), kGrey) << name;
  testing_support::SaveWindowShot(parent, 10, L"skin_paint", std::wstring(name) + L".bmp");
  ::DestroyWindow(child);
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

TEST(SkinPaint, ParentPaintsIntoTheDCWhatItShowsBehindAControl) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = StripedParentProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"tests.StripedParent";
  ::RegisterClassW(&wc);
  HWND striped = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                   nullptr, wc.hInstance, nullptr);
  ExpectParentBehindChild(striped, L"striped_parent");
  ::DestroyWindow(striped);

  StripedDialog dialog;
  HWND box = dialog.Create(200, 100);
  ExpectParentBehindChild(box, L"striped_dialog");
  ::DestroyWindow(box);

  // A framework form paints its Color into the DC it is handed, and nothing else.
  fw::TForm form(nullptr);
  form.SetBorderStyle(fw::bsNone);
  form.SetBounds(0, 0, 200, 100);
  form.SetColor(static_cast<fw::TColor>(kStripeColour));
  ExpectParentBehindChild(form.Handle(), L"framework_form");

  // A top-level window has no parent to paint, even when it has an owner.
  HWND owned = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 20, 20, form.Handle(), nullptr,
                                 wc.hInstance, nullptr);
  TBitmap untouched = Filled(20, 20, kGrey);
  fw::DrawInto(untouched, [&](HDC dc) { PaintParentInto(owned, dc); });
  EXPECT_EQ(At(untouched, 5, 5), kGrey);
  ::DestroyWindow(owned);
}
