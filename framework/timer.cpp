#include "framework/timer.h"

#include "framework/application.h"

#include <map>

namespace fw {

namespace {
// Thread timers have no window: the callback finds its object by the timer's identifier.
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  Update();
}

TTimer::~TTimer() {
  enabled_ = false;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  if (id_) {
    ::KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  if (enabled_ && interval_ > 0) {
    id_ = ::SetTimer(nullptr, 0, interval_, TimerProc);
    if (id_) Timers()[id_] = this;
  }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it == Timers().end() || !it->second->OnTimer) return;
  TTimer* timer = it->second;
  try {
    timer->OnTimer(timer);
  } catch (const std::exception& e) {
    if (Application) Application->ShowException(e);
  }
}

void TTimer::DefineProperties(TPropertyList& list) const {
  TComponent::DefineProperties(list);
  TPropertyDefiner<TTimer> d(list);
  d.Boolean(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
  d.Integer(
      L"Interval", [](TTimer& t) { return static_cast<int>(t.Interval()); },
      [](TTimer& t, int v) { t.SetInterval(static_cast<unsigned>(v)); });
  d.Event(L"OnTimer", &TTimer::OnTimer);
}

} // namespace fw
