// An icon of a window in the notification area (Shell_NotifyIcon). The window gets
// `callbackMessage` with the mouse message in lParam when the user clicks the icon. A task bar
// made again (Explorer restarted) has forgotten the icon: the window passes the registered
// TaskbarCreatedMessage() on to Restore.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

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
  // Adds the icon again after the task bar was made again, when it was shown.
  void Restore();

  static UINT TaskbarCreatedMessage();

private:
  bool Notify(DWORD message);

  const UINT id_, callbackMessage_;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  std::wstring tip_;
};

} // namespace fw
