// The class name of a window as the skinning rules compare it: single-byte text, at most 100
// characters.
#pragma once

#include <windows.h>

#include <string>

namespace skin {

inline std::string WindowClassName(HWND wnd) {
  char name[101] = {};
  ::GetClassNameA(wnd, name, 100);
  return name;
}

} // namespace skin

namespace skin {

// The version the system reports, read once (Wine reports 6.1, as Windows 7 does).
inline const OSVERSIONINFOW& SystemVersion() {
  static const OSVERSIONINFOW version = [] {
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&v);
#pragma GCC diagnostic pop
    return v;
  }();
  return version;
}

inline int WindowsMajorVersion() {
  return static_cast<int>(SystemVersion().dwMajorVersion);
}

} // namespace skin
