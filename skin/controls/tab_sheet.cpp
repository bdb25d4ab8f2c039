#include "skin/controls/tab_sheet.h"

namespace skin {

bool TSkinTabSheet::BeforeMessage(fw::TMessage& message) {
  if (!TSkinControl::BeforeMessage(message)) return false;
  if (FMode != 0) return true;
  switch (message.Msg) {
  case WM_PAINT:
  case WM_PRINTCLIENT:
    PaintNow(message);
    return false;
  case WM_ERASEBKGND: {
    RECT client;
    ::GetClientRect(FHandle, &client);
    FillFace(reinterpret_cast<HDC>(message.WParam), {0, 0, client.right, client.bottom});
    message.Result = 1;
    return false;
  }
  default:
    return true;
  }
}

void TSkinTabSheet::DrawSkin(HDC dc, TRect rect) {
  FillFace(dc, rect);
  if (FControl) FControl->PaintGraphicChildren(dc);
}

} // namespace skin
