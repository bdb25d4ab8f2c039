// The date-time picker: the system's date field with a drop-down calendar, published with its
// date.
#pragma once

#include "framework/control.h"

namespace fw {

class TDateTimePicker : public TWinControl {
public:
  explicit TDateTimePicker(TComponent* owner);
  std::wstring ClassName() const override { return L"TDateTimePicker"; }

  // The shown date; false when the system cannot tell.
  bool Date(SYSTEMTIME& date) const;
  void SetDate(const SYSTEMTIME& date);
  // The drop-down calendar while it is open, else null.
  HWND Calendar() const;

protected:
  void CreateParams(TCreateParams& params) override;
};

} // namespace fw
