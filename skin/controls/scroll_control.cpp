#include "skin/controls/scroll_control.h"

namespace skin {

void TSkinScControl::Attached() {
  FBar = std::make_unique<TWScrollbar>(FSkinData);
  FBar->AttachToWindow(FHandle, ScrollBarKind::Control);
}

void TSkinScControl::Deactivate() {
  TSkinControl::Deactivate();
  if (FState != TSkinLife::Destroyed) FBar.reset();
}

void TSkinScControl::SkinSwitched(bool on) {
  TSkinControl::SkinSwitched(on);
  if (on && !FBar) {
    FBar = std::make_unique<TWScrollbar>(FSkinData);
    FBar->AttachToWindow(FHandle, ScrollBarKind::Control);
  } else if (!on) {
    FBar.reset();
  }
}

void TSkinScControl::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_WINDOWPOSCHANGED:
  case WM_NCPAINT:
  case WM_SHOWWINDOW:
    if (FBar) FBar->Place();
    break;
  case SBM_SETSCROLLINFO:
  case SBM_SETPOS:
  case SBM_SETRANGE:
  case SBM_SETRANGEREDRAW:
  case SBM_ENABLE_ARROWS:
  case WM_ENABLE:
    if (FBar) FBar->Repaint();
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinScControl::DrawSkin(HDC /*dc*/, TRect /*rect*/) {
  if (FBar) FBar->Repaint();
}

} // namespace skin
