#include "framework/date_time_picker.h"

#include <commctrl.h>

namespace fw {

namespace {
void InitDateClasses() {
  static bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}
} // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  SetTabStop(true);
}

bool TDateTimePicker::Date(SYSTEMTIME& date) const {
  HWND wnd = HandleAllocated() ? const_cast<TDateTimePicker*>(this)->Handle() : nullptr;
  return wnd &&
         ::SendMessageW(wnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) == GDT_VALID;
}

void TDateTimePicker::SetDate(const SYSTEMTIME& date) {
  ::SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

HWND TDateTimePicker::Calendar() const {
  HWND wnd = HandleAllocated() ? const_cast<TDateTimePicker*>(this)->Handle() : nullptr;
  return wnd ? reinterpret_cast<HWND>(::SendMessageW(wnd, DTM_GETMONTHCAL, 0, 0)) : nullptr;
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  InitDateClasses();
  TWinControl::CreateParams(params);
  params.SystemClass = DATETIMEPICK_CLASSW;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

} // namespace fw
