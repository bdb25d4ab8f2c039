#include "framework/message_box.h"

#include <mutex>
#include <utility>

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

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(handlerMutex);
  return std::exchange(Handler(), std::move(handler));
}

} // namespace fw
