#include "app/single_instance.h"

namespace app {

namespace {
constexpr wchar_t kMutexName[] = L"Local\\栎澜屏幕录像 recorder.exe";
constexpr wchar_t kShowWindowMessage[] = L"栎澜屏幕录像 show the main window";
} // namespace

TSingleInstance::TSingleInstance() : mutex_(::CreateMutexW(nullptr, FALSE, kMutexName)) {
  first_ = !mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void TSingleInstance::ShowRunningCopy() {
  // The running copy may then take the foreground, which only the active program could give.
  ::AllowSetForegroundWindow(ASFW_ANY);
  ::PostMessageW(HWND_BROADCAST, ShowWindowMessage(), 0, 0);
}

UINT TSingleInstance::ShowWindowMessage() {
  static const UINT message = ::RegisterWindowMessageW(kShowWindowMessage);
  return message;
}

} // namespace app
