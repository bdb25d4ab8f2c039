#include "skin/controls/child_window.h"

#include "skin/skin_messages.h"

namespace skin {

TSkinChildWindow::TSkinChildWindow(const wchar_t* className, DWORD exStyle, DWORD style,
                                   HWND parent, Handler handler)
    : FHandler(std::move(handler)) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW existing;
  if (!::GetClassInfoW(instance, className, &existing)) {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    ::RegisterClassW(&wc);
  }
  FWnd = ::CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parent, nullptr, instance,
                           nullptr);
  if (FWnd) ::SetWindowLongPtrW(FWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TSkinChildWindow::~TSkinChildWindow() {
  if (FWnd) {
    ::SetWindowLongPtrW(FWnd, GWLP_USERDATA, 0);
    ::DestroyWindow(FWnd);
  }
}

LRESULT CALLBACK TSkinChildWindow::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TSkinChildWindow*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  // Destroyed with its parent: the handle may soon name another window, which this object must
  // never destroy.
  if (msg == WM_NCDESTROY) {
    self->FWnd = nullptr;
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
  fw::TMessage message{msg, wParam, lParam, 0};
  try {
    if (self->FHandler(message) == TMessageAnswer::Handled) return message.Result;
  } catch (...) {
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
  return CommonAnswer(wnd, msg, wParam, lParam);
}

LRESULT TSkinChildWindow::CommonAnswer(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_ERASEBKGND:
    return 1;
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  case SM_ISSKINNED:
    return 1;
  default:
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

} // namespace skin
