// TSkinAdvPage: page controls of the "advpagecontrol" kind, which paint their tabs themselves
// from two bitmap properties. The skin only feeds those: "TabBackGround" gets frame 1 of the
// skin's Tabs element and "TabBackGroundActive" frame 2, each rendered at 100 × 21; when the
// skin goes off both become empty and the control is back to its own look.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinAdvPage : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinAdvPage"; }

  void AttachControl(fw::TWinControl& control, TWinSkinForm* skinForm,
                     const TControlSkinSource& skinData, bool setColor,
                     fw::TCanvas* canvas) override;
  void Deactivate() override;
  void SkinChanged(const TControlSkinSource& skinData) override;

private:
  // Hands both tab images to the control (empty ones when `clear`).
  void FeedImages(bool clear);
};

} // namespace skin
