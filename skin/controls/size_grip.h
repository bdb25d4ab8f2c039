// TSkinSizer: the size grip of system dialogs (a "ScrollBar" window with the size-grip style).
// The grip paints itself; the skin covers it with the skin's face colour.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinSizer : public TSkinControl {
public:
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;
};

} // namespace skin
