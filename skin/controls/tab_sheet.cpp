#include "skin/controls/tab_sheet.h"

namespace skin {

TMessageAnswer TSkinTabSheet::EraseBackground(fw::TMessage& message) {
  if (!PaintsWhole()) return TMessageAnswer::PassOn;
  RECT client;
  ::GetClientRect(FHandle, &client);
  FillFace(reinterpret_cast<HDC>(message.WParam), {0, 0, client.right, client.bottom});
  message.Result = 1;
  return TMessageAnswer::Handled;
}

void TSkinTabSheet::DrawSkin(HDC dc, TRect rect) {
  FillFace(dc, rect); // the page's graphic children come after, from the base
}

} // namespace skin
