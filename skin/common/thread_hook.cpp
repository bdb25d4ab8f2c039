#include "skin/common/thread_hook.h"

#include <stdexcept>
#include <utility>

namespace skin {

template <int Kind> TThreadHook*& TThreadHook::Current() {
  thread_local TThreadHook* current = nullptr;
  return current;
}

template <int Kind>
LRESULT CALLBACK TThreadHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
  TThreadHook* self = Current<Kind>();
  if (!self) return ::CallNextHookEx(nullptr, code, wParam, lParam);
  if (code >= 0) self->Call(code, wParam, lParam);
  return ::CallNextHookEx(self->hook_, code, wParam, lParam);
}

void TThreadHook::Call(int code, WPARAM wParam, LPARAM lParam) {
  if (silenced_ || !callback_) return;
  try {
    callback_(code, wParam, lParam);
  } catch (...) {
    // A failing skinner never keeps the event from the rest of the chain.
  }
}

TThreadHook::TThreadHook(int idHook, Callback callback)
    : kind_(idHook), callback_(std::move(callback)) {
  HOOKPROC procedure = nullptr;
  switch (idHook) {
  case WH_CBT:
    procedure = &Procedure<WH_CBT>;
    outer_ = std::exchange(Current<WH_CBT>(), this);
    break;
  case WH_MSGFILTER:
    procedure = &Procedure<WH_MSGFILTER>;
    outer_ = std::exchange(Current<WH_MSGFILTER>(), this);
    break;
  default:
    throw std::invalid_argument("TThreadHook: unsupported hook kind");
  }
  hook_ = ::SetWindowsHookExW(idHook, procedure, nullptr, ::GetCurrentThreadId());
}

TThreadHook::~TThreadHook() {
  if (hook_) ::UnhookWindowsHookEx(hook_);
  // Unlink from the chain of this kind, wherever this object stands in it.
  TThreadHook** link = kind_ == WH_CBT ? &Current<WH_CBT>() : &Current<WH_MSGFILTER>();
  while (*link && *link != this)
    link = &(*link)->outer_;
  if (*link) *link = outer_;
}

} // namespace skin
