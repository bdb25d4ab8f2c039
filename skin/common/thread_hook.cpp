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
  return ::CallNextHookEx(self->FHook, code, wParam, lParam);
}

bool TThreadHook::Call(int code, WPARAM wParam, LPARAM lParam) {
  if (FSilenced) return false;
  try {
    if (FFilter) return FFilter(code, *reinterpret_cast<MSG*>(lParam));
    if (FCallback) FCallback(code, wParam, lParam);
  } catch (...) {
    // A failing skinner never keeps the event from the rest of the chain.
  }
  return false;
}

TThreadHook::TThreadHook(int idHook, Callback callback)
    : FKind(idHook), FCallback(std::move(callback)) {
  Install();
}

TThreadHook::TThreadHook(Filter filter) : FKind(WH_MSGFILTER), FFilter(std::move(filter)) {
  Install();
}

void TThreadHook::Install() {
  HOOKPROC procedure = nullptr;
  switch (FKind) {
  case WH_CBT:
    procedure = &Procedure<WH_CBT>;
    FOuter = std::exchange(Current<WH_CBT>(), this);
    break;
  case WH_MSGFILTER:
    procedure = &Procedure<WH_MSGFILTER>;
    FOuter = std::exchange(Current<WH_MSGFILTER>(), this);
    break;
  default:
    throw std::invalid_argument("TThreadHook: unsupported hook kind");
  }
  FHook = ::SetWindowsHookExW(FKind, procedure, nullptr, ::GetCurrentThreadId());
}

TThreadHook::~TThreadHook() {
  if (FHook) ::UnhookWindowsHookEx(FHook);
  // Unlink from the chain of this kind, wherever this object stands in it.
  TThreadHook** link = FKind == WH_CBT ? &Current<WH_CBT>() : &Current<WH_MSGFILTER>();
  while (*link && *link != this)
    link = &(*link)->FOuter;
  if (*link) *link = FOuter;
}

} // namespace skin
