#include "framework/handles.h"
#include "recorder/core/frame_layout.h"
#include "recorder/flashwnd.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace engine_tests;
using testing_support::PictureWindow;

namespace {

class Capture : public ::testing::Test {
protected:
  fw::TForm owner{nullptr};
  recorder::TScreenCam cam{&owner};
};

} // namespace

TEST_F(Capture, FrameBlockHoldsHeaderAndRowsAtScreenDepth) {
  if (const char* expected = std::getenv("RECORDER_EXPECT_BPP")) {
    EXPECT_EQ(cam.FBitsPerPixel, std::atoi(expected));
  }
  BITMAPINFOHEADER* frame = cam.CaptureFrame(3, 5, 321, 10);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->biSize, 40u);
  EXPECT_EQ(frame->biWidth, 321);
  EXPECT_EQ(frame->biHeight, 10);
  EXPECT_EQ(frame->biPlanes, 1);
  EXPECT_EQ(frame->biBitCount, cam.FBitsPerPixel);
  EXPECT_EQ(frame->biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(frame->biSizeImage, recorder::DibStride(321, cam.FBitsPerPixel) * 10);
  EXPECT_EQ(frame->biClrUsed, recorder::ColorTableEntries(cam.FBitsPerPixel));
  EXPECT_EQ(frame->biXPelsPerMeter, 0);
  EXPECT_EQ(frame->biClrImportant, 0u);
  HGLOBAL block = ::GlobalHandle(frame);
  EXPECT_GE(::GlobalSize(block),
            static_cast<SIZE_T>(recorder::FrameBlockSize(321, 10, cam.FBitsPerPixel)));
  cam.ReleaseFrame(frame);
  EXPECT_EQ(frame, nullptr);
  cam.ReleaseFrame(frame); // a null frame is left alone
}

TEST_F(Capture, MakeDIBLaysOutEveryDepth) {
  fw::WindowDC screen(nullptr);
  fw::Bitmap bitmap(::CreateCompatibleBitmap(screen.get(), 321, 7));
  for (int bpp : {8, 16, 24, 32}) {
    HGLOBAL block = cam.MakeDIB(bitmap.get(), bpp);
    ASSERT_NE(block, nullptr) << bpp;
    auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
    EXPECT_EQ(header->biBitCount, bpp);
    EXPECT_EQ(header->biClrUsed, bpp == 8 ? 256u : 0u);
    EXPECT_EQ(header->biSizeImage, recorder::DibStride(321, bpp) * 7) << bpp;
    EXPECT_GE(::GlobalSize(block), static_cast<SIZE_T>(recorder::FrameBlockSize(321, 7, bpp)));
    ::GlobalUnlock(block);
    ::GlobalFree(block);
  }
  EXPECT_EQ(recorder::DibStride(321, 24), 964);
}

TEST_F(Capture, PixelsShowTheScreen) {
  PictureWindow picture(100, 100, 200, 120);
  ::SetCursorPos(900, 700);
  cam.FDrawCursor = false;
  BITMAPINFOHEADER* frame = cam.CaptureFrame(100, 100, 200, 120);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(Near(FramePixel(frame, 10, 10), PictureWindow::kTopLeft));
  EXPECT_TRUE(Near(FramePixel(frame, 190, 10), PictureWindow::kTopRight));
  EXPECT_TRUE(Near(FramePixel(frame, 10, 110), PictureWindow::kBottomLeft));
  EXPECT_TRUE(Near(FramePixel(frame, 190, 110), PictureWindow::kBottomRight));
  cam.ReleaseFrame(frame);
}

TEST_F(Capture, CursorChangesOnlyPixelsAroundIt) {
  PictureWindow picture(100, 100, 300, 300);
  ::SetCursorPos(250, 250);
  testing_support::PumpFor(100);
  cam.FDrawCursor = false;
  BITMAPINFOHEADER* plain = cam.CaptureFrame(100, 100, 300, 300);
  cam.FDrawCursor = true;
  BITMAPINFOHEADER* withCursor = cam.CaptureFrame(100, 100, 300, 300);
  ASSERT_TRUE(plain && withCursor);

  int minX = 300, minY = 300, maxX = -1, maxY = -1;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x)
      if (FramePixel(plain, x, y) != FramePixel(withCursor, x, y)) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  cam.ReleaseFrame(plain);
  cam.ReleaseFrame(withCursor);
  ASSERT_GE(maxX, 0) << "the cursor was not drawn";
  // The arrow is drawn at the cursor position (150, 150 in the frame) less a hot spot of at most
  // a cursor's size, and is no bigger than a cursor.
  const int cx = ::GetSystemMetrics(SM_CXCURSOR), cy = ::GetSystemMetrics(SM_CYCURSOR);
  EXPECT_GE(minX, 150 - cx);
  EXPECT_GE(minY, 150 - cy);
  EXPECT_LE(maxX, 150 + cx);
  EXPECT_LE(maxY, 150 + cy);
  EXPECT_LE(maxX - minX, cx);
  EXPECT_LE(maxY - minY, cy);
}

TEST_F(Capture, NoWorkerMeansTheFrameWindowIsNeverTouched) {
  cam.FShowFrame = true;
  cam.FFrameFollows = true;
  BITMAPINFOHEADER* frame = cam.CaptureFrame(0, 0, 64, 64);
  cam.ReleaseFrame(frame);
  EXPECT_FALSE(cam.FFrameWnd->HandleAllocated());
}
