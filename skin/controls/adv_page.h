// TSkinAdvPage: page controls of the "advpagecontrol" kind, which paint their tabs themselves
// from two bitmap properties. The skin only feeds those: "TabBackGround" gets frame 1 of the
// skin's Tabs element and "TabBackGroundActive" frame 2, each rendered at 100 × 21; when the
// skin goes off both become empty and the control is back to its own look. The control paints
// itself; only its tab scroller, when it has one, gets a skin.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/controls/up_down.h"

namespace skin {

class TSkinAdvPage : public TSkinControl {
public:
  void Attached() override;
  void Deactivate() override;
  void DrawSkin(HDC dc, TRect rect) override;
  void SkinChanged(const TControlSkinSource& skinData) override;

private:
  // Hands both tab images to the control (empty ones when `clear`).
  void FeedImages(bool clear);

  TTabScroller FUpDown; // the control's tab scroller, when it has one
};

} // namespace skin
