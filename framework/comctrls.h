// The common controls: the slider (track bar), the progress bar and the up-down (spin arrows).
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

enum TProgressBarOrientation { pbHorizontal, pbVertical };

// A progress bar showing Position within Min..Max.
class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TComponent* owner);
  std::wstring ClassName() const override { return L"TProgressBar"; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int min);
  void SetMax(int max);
  int Position() const { return position_; }
  // Clamps to Min..Max.
  void SetPosition(int position);
  TProgressBarOrientation Orientation = pbHorizontal;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

private:
  void SendRange();
  int min_ = 0, max_ = 100, position_ = 0;
};

enum TUDOrientation { udVertical, udHorizontal };

// Spin arrows that step Position within Min..Max; with an Associate the position shows in that
// control's text (the up-down's buddy).
class TUpDown : public TWinControl {
public:
  explicit TUpDown(TComponent* owner);
  std::wstring ClassName() const override { return L"TUpDown"; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int min);
  void SetMax(int max);
  // The window's position once it exists (the arrows change it).
  int Position() const;
  void SetPosition(int position);
  TUDOrientation Orientation = udVertical;
  // The buddy; set before the window is made.
  TWinControl* Associate = nullptr;

  // Raised when the arrows changed the position.
  TNotifyEvent OnChanging;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CNScroll(WORD code) override;

private:
  int min_ = 0, max_ = 100, position_ = 0;
};

} // namespace fw
