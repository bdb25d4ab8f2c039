// TSkinSizer: the size grip of a system dialog (a scroll-bar window without a tab stop), covered
// with the skin's face colour after it painted itself.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinSizer : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinSizer"; }
  void DrawSkin(HDC dc, TRect rect) override { FillFace(dc, rect); }
};

} // namespace skin
