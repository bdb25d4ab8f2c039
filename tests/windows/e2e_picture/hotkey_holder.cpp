// hotkey_holder: holds the hot key F5 (as another program may) until the process is ended, so
// that the recorder cannot register it. Prints "holding F5" once it has it; exits 1 when it
// could not take it.
#include <windows.h>

#include <cstdio>

int main() {
  if (!::RegisterHotKey(nullptr, 1, 0, VK_F5)) return 1;
  std::printf("holding F5\n");
  std::fflush(stdout);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
  }
  return 0;
}
