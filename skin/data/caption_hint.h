// The small window that shows a caption button's hint text near the button.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

class TCaptionHintWindow {
public:
  TCaptionHintWindow() = default;
  TCaptionHintWindow(const TCaptionHintWindow&) = delete;
  TCaptionHintWindow& operator=(const TCaptionHintWindow&) = delete;
  ~TCaptionHintWindow();

  // Sizes the window to `text` (at most 500 pixels wide, wrapped), moves it by `origin` and
  // shows it without activating it.
  void Show(POINT origin, const std::wstring& text);
  void Hide();
  bool Showing() const { return FShowing; }
  HWND Handle() const { return FWnd; }

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  RECT Measure(const std::wstring& text) const;

  HWND FWnd = nullptr;
  HFONT FFont = nullptr; // the system's status font, owned
  std::wstring FText;
  bool FShowing = false;
};

} // namespace skin
