#include "framework/tray_icon.h"

#include <shellapi.h>
#include <windowsx.h>

namespace fw {

bool TTrayIcon::Notify(DWORD message) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window_;
  data.uID = id_;
  // Version 4 leaves the standard tip out unless it is asked for.
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  data.uCallbackMessage = callbackMessage_;
  data.hIcon = icon_;
  data.uVersion = NOTIFYICON_VERSION_4;
  tip_.copy(data.szTip, std::size(data.szTip) - 1);
  return ::Shell_NotifyIconW(message, &data) != FALSE;
}

bool TTrayIcon::Add() {
  if (!Notify(NIM_ADD)) return false;
  version4_ = Notify(NIM_SETVERSION);
  return true;
}

bool TTrayIcon::Show(HWND window, HICON icon, const std::wstring& tip) {
  tip_ = tip.substr(0, 127);
  icon_ = icon;
  if (window_ == window && Notify(NIM_MODIFY)) return true;
  Hide();
  window_ = window;
  if (Add()) return true;
  window_ = nullptr;
  return false;
}

void TTrayIcon::Hide() {
  if (!window_) return;
  Notify(NIM_DELETE);
  window_ = nullptr;
}

void TTrayIcon::Restore() {
  if (window_) Add();
}

TTrayRequest TTrayIcon::Request(WPARAM wParam, LPARAM lParam) const {
  TTrayRequest request;
  if (version4_) {
    // The event in the low word, the place the shell means in wParam. The button-up messages
    // are followed by WM_CONTEXTMENU and NIN_SELECT, which the keyboard sends too.
    request.at = {GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
    switch (LOWORD(lParam)) {
    case WM_CONTEXTMENU:
      request.action = TTrayAction::Menu;
      break;
    case NIN_SELECT:
    case NIN_KEYSELECT:
      request.action = TTrayAction::Choose;
      break;
    default:
      break;
    }
    return request;
  }
  ::GetCursorPos(&request.at);
  switch (lParam) {
  case WM_RBUTTONUP:
    request.action = TTrayAction::Menu;
    break;
  case WM_LBUTTONUP:
    request.action = TTrayAction::Choose;
    break;
  default:
    break;
  }
  return request;
}

UINT TTrayIcon::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

} // namespace fw
