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
