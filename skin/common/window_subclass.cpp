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

TWindowSubclass::TWindowSubclass(Handler handler) : handler_(std::move(handler)) {}

TWindowSubclass::~TWindowSubclass() {
  Unhook();
}

bool TWindowSubclass::Hook(HWND wnd) {
  if (hooked_ || !::IsWindow(wnd)) return false;
  wnd_ = wnd;
  unicode_ = ::IsWindowUnicode(wnd) != FALSE;
  thunk_ = std::make_unique<TWindowThunk>(this, &TWindowSubclass::Dispatch);
  previous_ = reinterpret_cast<WNDPROC>(GetProcedure(wnd, unicode_));
  SetProcedure(wnd, unicode_, reinterpret_cast<LONG_PTR>(thunk_->Procedure()));
  hooked_ = true;
  return true;
}

void TWindowSubclass::Unhook() {
  if (!hooked_) return;
  hooked_ = false;
  const auto ours = reinterpret_cast<LONG_PTR>(thunk_->Procedure());
  if (::IsWindow(wnd_) && GetProcedure(wnd_, unicode_) != ours) {
    // Someone subclassed after us and calls our thunk as their previous procedure: keep it
    // alive, forwarding straight to the procedure we replaced.
    thunk_->Retarget(new PassThrough{wnd_, previous_, unicode_}, &PassThrough::Forward);
    thunk_->Abandon();
  } else if (::IsWindow(wnd_)) {
    SetProcedure(wnd_, unicode_, reinterpret_cast<LONG_PTR>(previous_));
  }
  thunk_.reset();
}

LRESULT TWindowSubclass::PassOn(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return unicode_ ? ::CallWindowProcW(previous_, wnd_, msg, wParam, lParam)
                  : ::CallWindowProcA(previous_, wnd_, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::Dispatch(void* object, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TWindowSubclass*>(object);
  const TLiveness::TWatch alive = self->liveness_.Watch();
  LRESULT result = 0;
  try {
    result =
        self->handler_ ? self->handler_(msg, wParam, lParam) : self->PassOn(msg, wParam, lParam);
  } catch (...) {
    // A skin never makes a window fail: the window gets the message as if it were not skinned.
    if (alive) result = self->PassOn(msg, wParam, lParam);
  }
  // The window is gone after this message; its procedure needs no restoring.
  if (alive && msg == WM_NCDESTROY && self->hooked_) {
    self->hooked_ = false;
    self->thunk_.reset();
  }
  return result;
}

} // namespace skin
