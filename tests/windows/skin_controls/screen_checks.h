// What the control-skin tests read off the screen: a window's pixels in window coordinates, the
// skin colours as pixels, and a short pump so that paints reach the screen.
#pragma once

#include "framework/core/bitmap.h"
#include "tests/windows/support/test_support.h"

#include <windows.h>

namespace skin_tests {

inline fw::Pixel AsPixel(COLORREF c) {
  return fw::RgbPixel(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline POINT Origin(HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return {r.left, r.top};
}

// A pixel of a window, in window coordinates.
inline COLORREF At(HWND wnd, int x, int y) {
  const POINT o = Origin(wnd);
  return testing_support::ScreenPixel(o.x + x, o.y + y);
}

inline void Pump() {
  testing_support::PumpFor(60);
}

} // namespace skin_tests
