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

// The major version the system reports (Wine reports 6, as Windows 7 does).
inline int WindowsMajorVersion() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ::GetVersionExW(&version);
#pragma GCC diagnostic pop
  return static_cast<int>(version.dwMajorVersion);
}

} // namespace skin
