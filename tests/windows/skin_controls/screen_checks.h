// What the control-skin tests read off the screen: a window's pixels in window coordinates, the
// skin colours as pixels, and a short pump so that paints reach the screen; and the window skin
// they start on a test form.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/forms/win_skin_form.h"
#include "skin/skin_messages.h"
#include "tests/windows/support/test_support.h"

#include <windows.h>

#include <memory>

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

// A window skin made from `source`, hooked on `wnd` and started; null when it cannot hook.
inline std::unique_ptr<skin::TWinSkinForm> StartFormSkin(HWND wnd,
                                                         const skin::TFormSkinSource& source) {
  auto formSkin = std::make_unique<skin::TWinSkinForm>(source);
  if (!formSkin->HookWindow(wnd)) return nullptr;
  ::PostMessageW(wnd, skin::SM_STARTSKIN, 0, 1000);
  Pump();
  return formSkin;
}

} // namespace skin_tests
