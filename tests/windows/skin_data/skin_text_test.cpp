// DrawSkinText and fw::WindowText with texts outside any ANSI code page.
#include "skin/data/skin_text_win.h"

#include "framework/bitmap.h"
#include "framework/control.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kCaption = L"\u680e\u6f9c\u5c4f\u5e55\u5f55\u50cf"; // 栎澜屏幕录像

TEST(SkinText, WindowTextReadsTheWholeWideText) {
  HWND wnd = ::CreateWindowExW(0, L"STATIC", kCaption.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(fw::WindowText(wnd), kCaption);
  ::SetWindowTextW(wnd, L"");
  EXPECT_EQ(fw::WindowText(wnd), L"");
  ::DestroyWindow(wnd);
}

TEST(SkinText, DrawSkinTextDrawsAndMeasures) {
  fw::TBitmap canvas(200, 40);
  canvas.Fill(0xFFFFFF);
  int height = 0;
  RECT measured{0, 0, 0, 0};
  fw::DrawInto(canvas, [&](HDC dc) {
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    RECT r{0, 0, 200, 40};
    height = skin::DrawSkinText(dc, L"Recorder", r, DT_SINGLELINE | DT_NOPREFIX);
    skin::DrawSkinText(dc, L"Recorder", measured, DT_CALCRECT | DT_SINGLELINE);
  });
  EXPECT_GT(height, 0);
  EXPECT_GT(measured.right, 20);
  int dark = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x)
      dark += (canvas.At(x, y) & 0xFFFFFF) != 0xFFFFFF;
  EXPECT_GT(dark, 20) << "the text left pixels";
}

} // namespace
