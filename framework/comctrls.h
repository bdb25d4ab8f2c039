// The common controls used by the program: the horizontal slider (track bar).
#pragma once

#include "framework/control.h"

namespace fw {

enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
  explicit TTrackBar(TComponent* owner);
  std::wstring ClassName() const override { return L"TTrackBar"; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int min);
  void SetMax(int max);
  int Position() const { return position_; }
  // Clamps to Min..Max; raises OnChange when the position changes.
  void SetPosition(int position);
  TTickStyle TickStyle = tsAuto;

  // Raised whenever the position changes, by the user or by the program.
  TNotifyEvent OnChange;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CNScroll(WORD code) override;

private:
  int min_ = 0, max_ = 10, position_ = 0;
};

} // namespace fw
