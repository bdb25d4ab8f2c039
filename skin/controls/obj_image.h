// TSkinObjImage: check and radio controls that draw their marks from a strip of glyph cells get
// strips built from the skin's CheckButton or RadioButton image (their "CustomGlyphs", or the
// "Glyph" of their "Properties" object). It hooks no messages; switching the skin off hands the
// controls their own glyphs back.
#pragma once

#include "skin/controls/core/control_kinds.h"
#include "skin/controls/core/glyph_cells.h"
#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

class TSkinObjImage : public TSkinControl {
public:
  static std::unique_ptr<TSkinControl> Create(const ControlDecision& decision);

  void AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                     const TControlSkinSource& skinData, bool setColour) override;
  void Deactivate() override;
  void SkinChanged(const TControlSkinSource& skinData) override;

  // The strip the control gets: a check control's, a radio control's, or the glyph of a check
  // control's Properties.
  TGlyphKind FGlyphKind = TGlyphKind::Check;

private:
  void BuildGlyphs();
  // The control is still there: its window exists and is still this control's.
  bool ControlAlive() const;
};

} // namespace skin
