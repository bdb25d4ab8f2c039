// TSkinMenuButton: buttons that drop down a menu, painted from the skin's Buttons element with
// the glyph, the caption and a small drop-down triangle in one row. The button's own click opens
// its menu; the skin only paints and takes the press as every skinned push button does.
#pragma once

#include "skin/controls/button.h"

namespace skin {

class TSkinMenuButton : public TSkinButton {
public:
protected:
  void DoPaint(HDC dc, TRect rect) override;

private:
  COLORREF TextColour(ButtonFace face) const;
};

} // namespace skin
