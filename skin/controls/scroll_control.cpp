#include "skin/controls/scroll_control.h"

namespace skin {

void TSkinScControl::MakeCompanion() {
  if (FCompanion) return;
  FCompanion = std::make_unique<TWScrollbar>(FSkinData);
  FCompanion->AttachToWindow(FHandle, ScrollBarKind::Control);
}

void TSkinScControl::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_WINDOWPOSCHANGED:
  case WM_NCPAINT:
  case WM_SHOWWINDOW:
    if (FCompanion) FCompanion->Place();
    break;
  case SBM_SETSCROLLINFO:
  case SBM_SETPOS:
  case SBM_SETRANGE:
  case SBM_SETRANGEREDRAW:
  case SBM_ENABLE_ARROWS:
  case WM_ENABLE:
    if (FCompanion) FCompanion->Repaint();
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinScControl::DrawSkin(HDC /*dc*/, TRect /*rect*/) {
  if (FCompanion) FCompanion->Repaint();
}

} // namespace skin
