// What the source files of TWinSkinForm share: the hover timer, the frame-changed repositioning,
// the window DC of the non-client area, and the skin manager's switch for maximized MDI children
// (a form skin also works without a manager).
#pragma once

#include "framework/control.h"
#include "framework/core/bitmap.h"
#include "skin/common/message_answer.h"
#include "skin/data/core/nine_slice.h"
#include "skin/data/core/skin_objects.h"

#include <windows.h>

namespace skin {

// Repositions nothing, only has the system compute the frame and the client area again.
inline constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

inline TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

inline COLORREF ToColourRef(TColor colour) {
  return static_cast<COLORREF>(colour & 0xFFFFFF);
}

// The device context of the whole window, non-client area included.
class NonClientDC {
public:
  explicit NonClientDC(HWND wnd) : FWnd(wnd), FDc(wnd ? ::GetWindowDC(wnd) : nullptr) {}
  NonClientDC(const NonClientDC&) = delete;
  NonClientDC& operator=(const NonClientDC&) = delete;
  ~NonClientDC() {
    if (FDc) ::ReleaseDC(FWnd, FDc);
  }
  HDC get() const { return FDc; }

private:
  HWND FWnd;
  HDC FDc;
};

// Answers `message` with `result`.
inline TMessageAnswer Answer(fw::TMessage& message, LRESULT result) {
  message.Result = result;
  return TMessageAnswer::Handled;
}

// Tells the skin manager, when one runs, whether a maximized MDI child exists.
void TellMdiMaximized(bool maximized);
bool ManagerKnowsMdiMaximized();

} // namespace skin
