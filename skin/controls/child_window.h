// A small child window of a control skin's own (a scroll-bar overlay, a picker's arrow button):
// its window class is registered once per name, every message after creation goes to the
// owner's handler (an exception in it ends as default processing), and the window is destroyed
// with this object. What the handler passes on gets the answers every such window gives alike:
// it paints all of itself (nothing to erase), never takes the activation from the form, and
// counts as skinned. A window destroyed with its parent is forgotten at once: the object never
// destroys a window by a handle that may have been given to another one since.
#pragma once

#include "framework/control.h"
#include "skin/common/message_answer.h"

#include <windows.h>

#include <functional>

namespace skin {

class TSkinChildWindow {
public:
  using Handler = std::function<TMessageAnswer(fw::TMessage& message)>;

  TSkinChildWindow(const wchar_t* className, DWORD exStyle, DWORD style, HWND parent,
                   Handler handler);
  ~TSkinChildWindow();
  TSkinChildWindow(const TSkinChildWindow&) = delete;
  TSkinChildWindow& operator=(const TSkinChildWindow&) = delete;

  HWND Handle() const { return FWnd; }

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The answers of every skin child window to what its handler passed on.
  static LRESULT CommonAnswer(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  Handler FHandler;
  HWND FWnd = nullptr;
};

} // namespace skin
