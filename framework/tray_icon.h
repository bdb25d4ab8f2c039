// An icon of a window in the notification area (Shell_NotifyIcon). The window gets
// `callbackMessage` when the user clicks the icon or chooses it by keyboard; Request() says what
// the user asked for. The icon speaks the shell's version 4: a right click and Shift+F10 or the
// menu key on the focused icon both ask for the menu, with the place it belongs at; a left click
// and Space or Return both choose the icon. Where the shell is older the mouse messages mean the
// same. A task bar made again (Explorer restarted) has forgotten the icon: the window passes the
// registered TaskbarCreatedMessage() on to Restore.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// What a callback message of the icon asks for.
enum class TTrayAction {
  None,   // a mouse move, a button pressed down, a message the shell follows with another
  Menu,   // the icon's menu (right click, Shift+F10, the menu key)
  Choose, // the icon itself (left click, Space, Return)
};
struct TTrayRequest {
  TTrayAction action = TTrayAction::None;
  POINT at{}; // where the menu goes, in screen coordinates
};

class TTrayIcon {
public:
  TTrayIcon(UINT id, UINT callbackMessage) : id_(id), callbackMessage_(callbackMessage) {}
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;
  ~TTrayIcon() { Hide(); }

  // Shows the icon for `window` with its tip (at most 127 characters), or changes them; false
  // when the notification area did not take it.
  bool Show(HWND window, HICON icon, const std::wstring& tip);
  void Hide();
  bool Visible() const { return window_ != nullptr; }
  const std::wstring& Tip() const { return tip_; }
  // Whether the shell took version 4 (its keyboard messages and the menu's place).
  bool SpeaksVersion4() const { return version4_; }
  // Adds the icon again after the task bar was made again, when it was shown.
  void Restore();
  // What the callback message with these parameters asks for.
  TTrayRequest Request(WPARAM wParam, LPARAM lParam) const;

  static UINT TaskbarCreatedMessage();

private:
  bool Notify(DWORD message);
  bool Add();

  const UINT id_, callbackMessage_;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
  bool version4_ = false;
};

} // namespace fw
