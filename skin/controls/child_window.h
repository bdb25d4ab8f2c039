// A small child window of a control skin's own (a scroll-bar overlay, a picker's arrow button):
// its window class is registered once per name, every message after creation goes to the
// owner's handler (an exception in it ends as default processing), and the window is destroyed
// with this object.
#pragma once

#include <windows.h>

#include <functional>

namespace skin {

class TSkinChildWindow {
public:
  using Handler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

  TSkinChildWindow(const wchar_t* className, DWORD exStyle, DWORD style, HWND parent,
                   Handler handler);
  ~TSkinChildWindow();
  TSkinChildWindow(const TSkinChildWindow&) = delete;
  TSkinChildWindow& operator=(const TSkinChildWindow&) = delete;

  HWND Handle() const { return wnd_; }

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  Handler handler_;
  HWND wnd_ = nullptr;
};

} // namespace skin
