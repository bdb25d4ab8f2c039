#include "framework/handles.h"
#include "recorder/core/flash_geometry.h"
#include "recorder/flashwnd.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace engine_tests;

namespace {
// What the screen shows at one pixel, read the way the capture reads it.
COLORREF ScreenPixel(int x, int y) {
  fw::WindowDC screen(nullptr);
  fw::MemoryDC memory(::CreateCompatibleDC(screen.get()));
  fw::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), 1, 1));
  fw::SelectGuard select(memory.get(), bitmap.get());
  ::BitBlt(memory.get(), 0, 0, 1, 1, screen.get(), x, y, SRCCOPY);
  return ::GetPixel(memory.get(), 0, 0);
}
// Writes a frame block as a .bmp file.
void SaveFrameAsBmp(const BITMAPINFOHEADER* frame, const std::wstring& path) {
  const DWORD headerBytes = frame->biSize + 4 * frame->biClrUsed;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + headerBytes;
  file.bfSize = file.bfOffBits + frame->biSizeImage;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return;
  std::fwrite(&file, sizeof file, 1, f);
  std::fwrite(frame, headerBytes + frame->biSizeImage, 1, f);
  std::fclose(f);
}
} // namespace

TEST(FrameWindow, RegionIsExactlyTheFourCornerMarks) {
  recorder::TFlashingWnd wnd(nullptr);
  wnd.PlaceAround(100, 100, 200, 150);
  RECT r;
  ASSERT_TRUE(::GetWindowRect(wnd.Handle(), &r));
  EXPECT_EQ(r.left, 92);
  EXPECT_EQ(r.top, 92);
  EXPECT_EQ(r.right - r.left, 216);
  EXPECT_EQ(r.bottom - r.top, 166);
  EXPECT_EQ(wnd.FAreaRight, 299);
  EXPECT_EQ(wnd.FAreaBottom, 249);
  EXPECT_EQ(::GetWindowLongW(wnd.Handle(), GWL_STYLE) & WS_POPUP, static_cast<LONG>(WS_POPUP));
  EXPECT_TRUE(::GetWindowLongW(wnd.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(::GetWindowRgn(wnd.Handle(), region.get()), ERROR);
  recorder::FlashGeometry g = recorder::PlaceAroundGeometry(100, 100, 200, 150);
  int mismatches = 0, marked = 0;
  for (int y = -2; y < 170; ++y)
    for (int x = -2; x < 220; ++x) {
      bool inRegion = ::PtInRegion(region.get(), x, y);
      marked += inRegion;
      mismatches += inRegion != recorder::InCornerMarks(g, x, y);
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(marked, 4 * 7 * 24);
}

TEST(FrameWindow, FillPaintsTheMarksInTheColour) {
  recorder::TFlashingWnd wnd(nullptr);
  wnd.PlaceAround(300, 300, 200, 150);
  wnd.Show();
  testing_support::PumpFor(100);
  for (COLORREF colour : {RGB(255, 255, 180), RGB(0, 255, 80)}) {
    wnd.FillWith(colour);
    testing_support::PumpFor(100); // Wine copies window surfaces to the screen from its loop
    // Top-left mark near the outer corner, and the bottom-right mark.
    EXPECT_TRUE(Near(ScreenPixel(293, 293), colour)) << std::hex << ScreenPixel(293, 293);
    EXPECT_TRUE(Near(ScreenPixel(505, 455), colour)) << std::hex << ScreenPixel(505, 455);
  }
  // A picture of the marks around their rectangle, for people to look at.
  fw::TForm owner(nullptr);
  recorder::TScreenCam cam(&owner);
  cam.FDrawCursor = false;
  BITMAPINFOHEADER* shot = cam.CaptureFrame(272, 272, 256, 206);
  ASSERT_NE(shot, nullptr);
  SaveFrameAsBmp(shot, testing_support::ArtifactPath(L"engine", L"frame_window.bmp"));
  cam.ReleaseFrame(shot);
  wnd.Hide();
  EXPECT_FALSE(::IsWindowVisible(wnd.Handle()));
}

TEST(FrameWindow, WholeScreenMarksLieOffScreen) {
  recorder::TFlashingWnd wnd(nullptr);
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  wnd.PlaceAround(0, 0, w, h);
  RECT r;
  ::GetWindowRect(wnd.Handle(), &r);
  EXPECT_EQ(r.left, -8);
  EXPECT_EQ(r.top, -8);
  EXPECT_EQ(r.right, w + 8);
  EXPECT_EQ(r.bottom, h + 8);
}
