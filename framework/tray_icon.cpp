#include "framework/tray_icon.h"

#include <shellapi.h>

namespace fw {

bool TTrayIcon::Notify(DWORD message) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = id_;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  tip_.copy(data.szTip, std::size(data.szTip) - 1);
  return ::Shell_NotifyIconW(message, &data) != FALSE;
}

bool TTrayIcon::Show(HWND window, HICON icon, const std::wstring& tip) {
  tip_ = tip.substr(0, 127);
  icon_ = icon;
  if (window_ == window && Notify(NIM_MODIFY)) return true;
  Hide();
  window_ = window;
  if (Notify(NIM_ADD)) return true;
  window_ = nullptr;
  return false;
}

void TTrayIcon::Hide() {
  if (!window_) return;
  Notify(NIM_DELETE);
  window_ = nullptr;
}

void TTrayIcon::Restore() {
  if (window_) Notify(NIM_ADD);
}

UINT TTrayIcon::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

} // namespace fw
