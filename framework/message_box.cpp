#include "framework/message_box.h"

#include <mutex>

namespace fw {

namespace {
std::mutex handlerMutex;
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
} // namespace

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  MessageBoxHandler handler;
  {
    std::lock_guard lock(handlerMutex);
    handler = Handler();
  }
  if (handler) return handler(owner, text, caption, type);
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(handlerMutex);
  Handler() = std::move(handler);
}

} // namespace fw
