// TSkinScControl: a stand-alone scroll-bar control gets one overlay (scroll_overlay.h) over the
// whole control.
#pragma once

#include "skin/controls/scroll_overlay.h"
#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

// A stand-alone scroll-bar control: one overlay over the whole control.
class TSkinScControl : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinScControl"; }

  void Attached() override;
  void Deactivate() override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  TWScrollbar* Bar() const { return FBar.get(); }

protected:
  void SkinSwitched(bool on) override;

private:
  std::unique_ptr<TWScrollbar> FBar;
};

} // namespace skin
