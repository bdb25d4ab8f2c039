// TSkinScControl: a stand-alone scroll-bar control gets one overlay (scroll_overlay.h) over the
// whole control.
#pragma once

#include "skin/controls/companion_skin.h"
#include "skin/controls/scroll_overlay.h"

namespace skin {

// A stand-alone scroll-bar control: one overlay over the whole control.
class TSkinScControl : public TCompanionSkin<TWScrollbar> {
public:
  TSkinScControl() : TCompanionSkin(TCompanionPlace::InControl) {}

  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  TWScrollbar* Bar() const { return FCompanion.get(); }

protected:
  void MakeCompanion() override;
};

} // namespace skin
