// TSkinSpeedButton: speed buttons, graphic controls without a window of their own. The skin
// replaces the button's window method (the messages its parent hands it) and paints through the
// parent's window onto the button's area: the Buttons element's face (pressed while latched
// down; only under the mouse or pressed when the button is flat), the glyph frame (4 when down)
// and the caption. The button's own Down and group logic keeps running: presses reach it first.
#pragma once

#include "skin/controls/bit_button.h"

namespace fw {
class TGraphicControl;
}

namespace skin {

class TSkinSpeedButton : public TSkinBitButton {
public:
  ~TSkinSpeedButton() override;
  static std::unique_ptr<TSkinControl> Create(const ControlDecision& decision);

  // Takes over the speed button's window method and registers with the window skin.
  void AttachSpeedButton(fw::TGraphicControl& button, TControlSkinOwner* skinForm,
                         const TControlSkinSource& skinData);
  bool TakesGraphicControls() const override { return true; }
  void AttachGraphic(fw::TGraphicControl& control, TControlSkinOwner* skinForm,
                     const TControlSkinSource& skinData) override {
    AttachSpeedButton(control, skinForm, skinData);
  }
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void AfterMessage(fw::TMessage& message) override;
  void RedrawSkin(HDC dc) override;
  void DrawSkin(HDC dc, TRect rect) override;
  // The window it paints on is its container's, which has a skin of its own.
  bool SkinsWindow(HWND /*wnd*/) const override { return false; }

protected:
  void DoPaint(HDC dc, TRect rect) override;

private:
  // The button is going (or the skin is): it gets its window method back.
  void LetGo();
  bool Property(const wchar_t* name) const;
  COLORREF TextColour(ButtonFace face, bool withGlyph) const;

  fw::TGraphicControl* FButton = nullptr;
  bool FPainting = false;
};

} // namespace skin
