// Windows of the framework's own classes show their Color: forms (whose colour a skin changes
// after the window class was registered) and windowed controls without a system class.
#include "framework/bitmap.h"
#include "framework/form.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

using testing_support::PumpFor;

namespace {

constexpr fw::TColor kFormColour = 0x3080C0, kPanelColour = 0x20A040, kNewColour = 0xB04060;

// What the screen shows at a point of a window's client area.
fw::Pixel ClientPixel(HWND wnd, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(wnd, &p);
  fw::TBitmap one(1, 1, fw::TPixelFormat::pf32bit);
  fw::DrawInto(one, [&](HDC dc) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc, 0, 0, 1, 1, screen, p.x, p.y, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
  });
  return one.At(0, 0) & 0xFFFFFF;
}

} // namespace

TEST(WindowBackground, FormsAndOwnControlsEraseInTheirColour) {
  fw::TForm form(nullptr);
  form.SetBounds(120, 90, 320, 220);
  form.SetColor(kFormColour);
  fw::TWinControl panel(&form); // a window of the framework's own class
  panel.SetParent(&form);
  panel.SetBounds(150, 40, 100, 80);
  panel.SetColor(kPanelColour);
  panel.Show();
  form.Show();
  ::SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpFor(200);
  EXPECT_EQ(ClientPixel(form.Handle(), 5, 5), fw::PixelOf(kFormColour));
  EXPECT_EQ(ClientPixel(form.Handle(), 140, 150), fw::PixelOf(kFormColour));
  EXPECT_EQ(ClientPixel(panel.Handle(), 0, 0), fw::PixelOf(kPanelColour));
  EXPECT_EQ(ClientPixel(panel.Handle(), 99, 79), fw::PixelOf(kPanelColour));
  testing_support::SaveWindowShot(form.Handle(), 10, L"framework", L"form_colour.bmp");

  // A new colour repaints at once (a skin sets its face colour this way).
  form.SetColor(kNewColour);
  PumpFor(150);
  EXPECT_EQ(ClientPixel(form.Handle(), 5, 5), fw::PixelOf(kNewColour));
  EXPECT_EQ(ClientPixel(panel.Handle(), 50, 40), fw::PixelOf(kPanelColour));

  // Printed into a device context of its own, the form erases there too.
  fw::TBitmap print(40, 30, fw::TPixelFormat::pf32bit);
  print.Fill(0);
  fw::DrawInto(print, [&](HDC dc) {
    ::SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                   PRF_CLIENT | PRF_ERASEBKGND);
  });
  EXPECT_EQ(print.At(20, 15) & 0xFFFFFF, fw::PixelOf(kNewColour));
  form.Hide();
}
