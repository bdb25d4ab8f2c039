// TSkinTabSheet: the pages of a page control, filled with the skin's face colour (the speed
// buttons and other window-less controls on a page are painted over it again), so that a page
// matches the skinned page frame around it.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinTabSheet : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinTabSheet"; }

  bool BeforeMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;
};

} // namespace skin
