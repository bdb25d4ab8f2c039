// TSkinTabSheet: the pages of a page control, filled with the skin's face colour (the speed
// buttons and other window-less controls on a page are painted over it again), so that a page
// matches the skinned page frame around it.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinTabSheet : public TSkinControl {
public:
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  // A page whose ParentBackground the skin switched off paints itself.
  bool PaintsWhole() const override { return !FParentBackgroundOff; }
  // The face colour under the page's paint.
  TMessageAnswer EraseBackground(fw::TMessage& message) override;
};

} // namespace skin
