#include "framework/comctrls.h"

#include <commctrl.h>

#include <algorithm>

namespace fw {

namespace {
void InitCommonControlsOnce() {
  static bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
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

// --- TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
}

void TProgressBar::SendRange() {
  if (HandleAllocated()) ::SendMessageW(Handle(), PBM_SETRANGE32, min_, max_);
}

void TProgressBar::SetMin(int min) {
  min_ = min;
  SendRange();
  SetPosition(position_);
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  SendRange();
  SetPosition(position_);
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, min_, std::max(min_, max_));
  if (HandleAllocated()) ::SendMessageW(Handle(), PBM_SETPOS, position_, 0);
}

void TProgressBar::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TProgressBar> d(list);
  d.Integer(L"Min", &TProgressBar::Min, &TProgressBar::SetMin);
  d.Integer(L"Max", &TProgressBar::Max, &TProgressBar::SetMax);
  d.Integer(L"Position", &TProgressBar::Position, &TProgressBar::SetPosition);
  d.Enumeration(
      L"Orientation", {L"pbHorizontal", L"pbVertical"},
      [](TProgressBar& p) { return static_cast<int>(p.Orientation); },
      [](TProgressBar& p, int v) { p.Orientation = static_cast<TProgressBarOrientation>(v); });
}

void TProgressBar::CreateParams(TCreateParams& params) {
  InitCommonControlsOnce();
  TWinControl::CreateParams(params);
  params.SystemClass = PROGRESS_CLASSW;
  if (Orientation == pbVertical) params.Style |= PBS_VERTICAL;
}

void TProgressBar::HandleCreated() {
  TWinControl::HandleCreated();
  SendRange();
  ::SendMessageW(Handle(), PBM_SETPOS, position_, 0);
}

// --- TUpDown

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
}

void TUpDown::SetMin(int min) {
  min_ = min;
  if (HandleAllocated()) ::SendMessageW(Handle(), UDM_SETRANGE32, min_, max_);
}

void TUpDown::SetMax(int max) {
  max_ = max;
  if (HandleAllocated()) ::SendMessageW(Handle(), UDM_SETRANGE32, min_, max_);
}

int TUpDown::Position() const {
  if (!HandleAllocated()) return position_;
  return static_cast<int>(::SendMessageW(const_cast<TUpDown*>(this)->Handle(), UDM_GETPOS32, 0, 0));
}

void TUpDown::SetPosition(int position) {
  position_ = position;
  if (HandleAllocated()) ::SendMessageW(Handle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TUpDown> d(list);
  d.Integer(L"Min", &TUpDown::Min, &TUpDown::SetMin);
  d.Integer(L"Max", &TUpDown::Max, &TUpDown::SetMax);
  d.Integer(L"Position", &TUpDown::Position, &TUpDown::SetPosition);
  d.Enumeration(
      L"Orientation", {L"udVertical", L"udHorizontal"},
      [](TUpDown& u) { return static_cast<int>(u.Orientation); },
      [](TUpDown& u, int v) { u.Orientation = static_cast<TUDOrientation>(v); });
  d.Event(L"OnChanging", &TUpDown::OnChanging);
}

void TUpDown::CreateParams(TCreateParams& params) {
  InitCommonControlsOnce();
  TWinControl::CreateParams(params);
  params.SystemClass = UPDOWN_CLASSW;
  params.Style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
  if (Associate) params.Style |= UDS_ALIGNRIGHT;
  if (Orientation == udHorizontal) params.Style |= UDS_HORZ;
}

void TUpDown::HandleCreated() {
  TWinControl::HandleCreated();
  ::SendMessageW(Handle(), UDM_SETRANGE32, min_, max_);
  if (Associate)
    ::SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Associate->Handle()), 0);
  ::SendMessageW(Handle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::CNScroll(WORD) {
  position_ = Position();
  if (OnChanging) OnChanging(this);
}

} // namespace fw
