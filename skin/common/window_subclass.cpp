#include "skin/common/window_subclass.h"

namespace skin {

namespace {

LONG_PTR GetProcedure(HWND wnd, bool unicode) {
  return unicode ? ::GetWindowLongPtrW(wnd, GWLP_WNDPROC) : ::GetWindowLongPtrA(wnd, GWLP_WNDPROC);
}

LONG_PTR SetProcedure(HWND wnd, bool unicode, LONG_PTR proc) {
  return unicode ? ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, proc)
                 : ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, proc);
}

// What an abandoned thunk forwards to: the window and the procedure we had replaced. Kept for
// the life of the process, as the thunk is.
struct PassThrough {
  HWND wnd;
  WNDPROC previous;
  bool unicode;

  static LRESULT CALLBACK Forward(void* self, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* p = static_cast<PassThrough*>(self);
    return p->unicode ? ::CallWindowProcW(p->previous, p->wnd, msg, wParam, lParam)
                      : ::CallWindowProcA(p->previous, p->wnd, msg, wParam, lParam);
  }
};

} // namespace

TWindowSubclass::TWindowSubclass(Handler handler) : FHandler(std::move(handler)) {}

TWindowSubclass::~TWindowSubclass() {
  Unhook();
}

bool TWindowSubclass::Hook(HWND wnd) {
  if (FHooked || !::IsWindow(wnd)) return false;
  FWnd = wnd;
  FUnicode = ::IsWindowUnicode(wnd) != FALSE;
  FThunk = std::make_unique<TWindowThunk>(this, &TWindowSubclass::Dispatch);
  FPrevious = reinterpret_cast<WNDPROC>(GetProcedure(wnd, FUnicode));
  SetProcedure(wnd, FUnicode, reinterpret_cast<LONG_PTR>(FThunk->Procedure()));
  FHooked = true;
  return true;
}

void TWindowSubclass::Unhook() {
  if (!FHooked) return;
  FHooked = false;
  const auto ours = reinterpret_cast<LONG_PTR>(FThunk->Procedure());
  if (::IsWindow(FWnd) && GetProcedure(FWnd, FUnicode) != ours) {
    // Someone subclassed after us and calls our thunk as their previous procedure: keep it
    // alive, forwarding straight to the procedure we replaced.
    FThunk->Retarget(new PassThrough{FWnd, FPrevious, FUnicode}, &PassThrough::Forward);
    FThunk->Abandon();
  } else if (::IsWindow(FWnd)) {
    SetProcedure(FWnd, FUnicode, reinterpret_cast<LONG_PTR>(FPrevious));
  }
  FThunk.reset();
}

LRESULT TWindowSubclass::PassOn(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return FUnicode ? ::CallWindowProcW(FPrevious, FWnd, msg, wParam, lParam)
                  : ::CallWindowProcA(FPrevious, FWnd, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::Dispatch(void* object, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TWindowSubclass*>(object);
  const TLiveness::TWatch alive = self->FLiveness.Watch();
  LRESULT result = 0;
  try {
    result =
        self->FHandler ? self->FHandler(msg, wParam, lParam) : self->PassOn(msg, wParam, lParam);
  } catch (...) {
    // A skin never makes a window fail: the window gets the message as if it were not skinned.
    if (alive) result = self->PassOn(msg, wParam, lParam);
  }
  // The window is gone after this message; its procedure needs no restoring.
  if (alive && msg == WM_NCDESTROY && self->FHooked) {
    self->FHooked = false;
    self->FThunk.reset();
  }
  return result;
}

} // namespace skin
