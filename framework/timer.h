// A timer component: raises OnTimer every Interval milliseconds on the main thread while enabled.
#pragma once

#include "framework/component.h"

#include <windows.h>

namespace fw {

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::wstring ClassName() const override { return L"TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);

  TNotifyEvent OnTimer;

protected:
  void DefineProperties(TPropertyList& list) const override;

private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void Update();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  UINT_PTR id_ = 0;
};

} // namespace fw
