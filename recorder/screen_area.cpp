#include "recorder/screen_area.h"

#include <dwmapi.h>

namespace recorder {

namespace {
// DwmGetWindowAttribute where the system has it (Vista and later); the program starts on systems
// without the desktop window manager too.
HRESULT WindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
  using Getter = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
  static const Getter getter = [] {
    HMODULE dwm = ::LoadLibraryW(L"dwmapi.dll");
    return dwm ? reinterpret_cast<Getter>(
                     reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmGetWindowAttribute")))
               : nullptr;
  }();
  return getter ? getter(window, attribute, value, size) : E_NOTIMPL;
}
} // namespace

Rect VirtualScreen() {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

Rect PrimaryScreen() {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

int MonitorCount() {
  return ::GetSystemMetrics(SM_CMONITORS);
}

Rect VisibleWindowRect(HWND window) {
  RECT r{};
  if (SUCCEEDED(WindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r)) &&
      r.right > r.left)
    return ToRect(r);
  ::GetWindowRect(window, &r);
  return ToRect(r);
}

bool IsCloaked(HWND window) {
  DWORD cloaked = 0;
  return SUCCEEDED(WindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
         cloaked != 0;
}

FollowedWindowFact FollowedWindowOf(HWND window) {
  FollowedWindowFact fact;
  fact.exists = window && ::IsWindow(window);
  if (!fact.exists) return fact;
  fact.shown = ::IsWindowVisible(window) && !::IsIconic(window);
  fact.rect = VisibleWindowRect(window);
  return fact;
}

} // namespace recorder
