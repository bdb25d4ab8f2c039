#include "framework/comctrls.h"

#include <commctrl.h>

#include <algorithm>

namespace fw {

namespace {
void InitCommonControlsOnce() {
  static bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}
} // namespace

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  SetTabStop(true);
}

void TTrackBar::SetMin(int min) {
  min_ = min;
  if (HandleAllocated()) ::SendMessageW(Handle(), TBM_SETRANGEMIN, TRUE, min_);
  SetPosition(position_);
}

void TTrackBar::SetMax(int max) {
  max_ = max;
  if (HandleAllocated()) ::SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max_);
  SetPosition(position_);
}

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, min_, std::max(min_, max_));
  if (position == position_) return;
  position_ = position;
  if (HandleAllocated()) ::SendMessageW(Handle(), TBM_SETPOS, TRUE, position_);
  if (OnChange) OnChange(this);
}

void TTrackBar::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TTrackBar> d(list);
  d.Integer(L"Min", &TTrackBar::Min, &TTrackBar::SetMin);
  d.Integer(L"Max", &TTrackBar::Max, &TTrackBar::SetMax);
  d.Integer(L"Position", &TTrackBar::Position, &TTrackBar::SetPosition);
  d.Enumeration(
      L"TickStyle", {L"tsNone", L"tsAuto", L"tsManual"},
      [](TTrackBar& t) { return static_cast<int>(t.TickStyle); },
      [](TTrackBar& t, int v) { t.TickStyle = static_cast<TTickStyle>(v); });
  d.Event(L"OnChange", &TTrackBar::OnChange);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  InitCommonControlsOnce();
  TWinControl::CreateParams(params);
  params.SystemClass = TRACKBAR_CLASSW;
  params.Style |= TBS_HORZ | (TickStyle == tsNone ? TBS_NOTICKS : TBS_AUTOTICKS);
}

void TTrackBar::HandleCreated() {
  TWinControl::HandleCreated();
  ::SendMessageW(Handle(), TBM_SETRANGE, FALSE, MAKELPARAM(min_, max_));
  // Ranges beyond 16 bits need the separate messages.
  ::SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
  ::SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max_);
  ::SendMessageW(Handle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::CNScroll(WORD) {
  // The user moved the thumb: take its position (the setter raises OnChange).
  SetPosition(static_cast<int>(::SendMessageW(Handle(), TBM_GETPOS, 0, 0)));
}

} // namespace fw
