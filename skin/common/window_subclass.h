// Subclassing of one window: its window procedure is replaced by a thunk into this object, and
// Unhook gives the previous procedure back. No message is lost: what the handler does not
// handle it passes on, an exception in the handler passes the message on instead of leaving the
// window procedure, and a window that someone else subclassed after us keeps working after we
// unhook.
#pragma once

#include "skin/common/liveness.h"
#include "skin/common/window_thunk.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace skin {

class TWindowSubclass {
public:
  // Sees every message of the hooked window; calls PassOn for the previous procedure.
  using Handler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

  explicit TWindowSubclass(Handler handler);
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;

  // Replaces the window's procedure; false when already hooked or the window does not exist.
  bool Hook(HWND wnd);
  // Puts the previous procedure back. When another procedure was installed on top of ours in the
  // meantime, ours stays in its chain as a plain pass-on to the previous one.
  void Unhook();

  bool Hooked() const { return FHooked; }
  HWND Window() const { return FWnd; }
  bool Unicode() const { return FUnicode; }

  // Calls the procedure that was replaced (CallWindowProcW or A, as the window is Unicode or not).
  LRESULT PassOn(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
  static LRESULT CALLBACK Dispatch(void* self, UINT msg, WPARAM wParam, LPARAM lParam);

  Handler FHandler;
  std::unique_ptr<TWindowThunk> FThunk;
  HWND FWnd = nullptr;
  WNDPROC FPrevious = nullptr;
  bool FUnicode = true;
  bool FHooked = false;
  TLiveness FLiveness; // the handler may free this object inside a modal loop
};

} // namespace skin
