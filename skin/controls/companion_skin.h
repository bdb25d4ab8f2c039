// TCompanionSkin: the base of control skins that lay one window of their own over the control, a
// companion (the date-time picker's arrow button, a scroll-bar control's overlay, the media
// player's button panel). The companion is made when the skin is attached and when it is switched
// on, and it goes when the skin is switched off or deactivated. A companion that is a child window
// of the control goes with the control's window, and is left to it once that window is gone; one
// that lies beside the control goes with the skin then too, so that it never outlives the control
// it hands presses to.
#pragma once

#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

// Where a companion window lies.
enum class TCompanionPlace {
  InControl,     // a child window of the control
  BesideControl, // a sibling window over the control
};

template <class Companion> class TCompanionSkin : public TSkinControl {
public:
  void Deactivate() override {
    TSkinControl::Deactivate();
    if (FState != TSkinLife::Destroyed || FPlace == TCompanionPlace::BesideControl)
      FCompanion.reset();
  }

protected:
  explicit TCompanionSkin(TCompanionPlace place) : FPlace(place) {}

  // Makes FCompanion, unless it is there already or the control can have none now.
  virtual void MakeCompanion() = 0;

  void Attached() override { MakeCompanion(); }
  // Switched off, the control shows its own look without the companion.
  void SkinSwitched(bool on) override {
    TSkinControl::SkinSwitched(on);
    if (on)
      MakeCompanion();
    else
      FCompanion.reset();
  }

  std::unique_ptr<Companion> FCompanion;

private:
  TCompanionPlace FPlace;
};

} // namespace skin
