#include "skin/controls/box.h"

#include "skin/data/core/skin_colours.h"

namespace skin {

HBRUSH TFaceBrush::Get(COLORREF colour) {
  if (!brush_ || colour != colour_) {
    brush_.reset(::CreateSolidBrush(colour));
    colour_ = colour;
  }
  return brush_.get();
}

// --- TSkinBox

void TSkinBox::Deactivate() {
  TSkinControl::Deactivate();
  if (FState != TSkinLife::Destroyed) FState = TSkinLife::Deactivated;
}

// --- TSkinBoxH

bool TSkinBoxH::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_ERASEBKGND: {
    RECT window;
    if (::GetWindowRect(FHandle, &window))
      FillFace(reinterpret_cast<HDC>(message.WParam),
               {0, 0, window.right - window.left, window.bottom - window.top});
    message.Result = 0;
    return false;
  }
  case WM_CTLCOLORSTATIC:
    CallOldProc(message);
    ::SetBkColor(reinterpret_cast<HDC>(message.WParam), SkinColour(kButtonFace));
    message.Result = reinterpret_cast<LRESULT>(FFaceBrush.Get(SkinColour(kButtonFace)));
    return false;
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

} // namespace skin
