// picture_window LEFT TOP WIDTH HEIGHT: shows the test picture there until the process is ended.
#include "framework/application.h"
#include "tests/windows/support/test_support.h"

#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  fw::TApplication application;
  testing_support::PictureWindow picture(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                                         std::atoi(argv[4]));
  // The other application that has the keyboard focus while the recorder is hidden.
  HWND focus =
      ::CreateWindowExW(0, L"STATIC", L"e2e-focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200,
                        80, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  MSG msg;
  while (::IsWindow(focus) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
