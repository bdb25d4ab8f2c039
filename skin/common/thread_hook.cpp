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
  if (code >= 0 && self->Call(code, wParam, lParam)) return 1;
  return ::CallNextHookEx(self->hook_, code, wParam, lParam);
}

bool TThreadHook::Call(int code, WPARAM wParam, LPARAM lParam) {
  if (silenced_) return false;
  try {
    if (filter_) return filter_(code, *reinterpret_cast<MSG*>(lParam));
    if (callback_) callback_(code, wParam, lParam);
  } catch (...) {
    // A failing skinner never keeps the event from the rest of the chain.
  }
  return false;
}

TThreadHook::TThreadHook(int idHook, Callback callback)
    : kind_(idHook), callback_(std::move(callback)) {
  Install();
}

TThreadHook::TThreadHook(Filter filter) : kind_(WH_MSGFILTER), filter_(std::move(filter)) {
  Install();
}

void TThreadHook::Install() {
  HOOKPROC procedure = nullptr;
  switch (kind_) {
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
  hook_ = ::SetWindowsHookExW(kind_, procedure, nullptr, ::GetCurrentThreadId());
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
