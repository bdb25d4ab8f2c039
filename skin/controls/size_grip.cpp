#include "skin/controls/size_grip.h"

#include "skin/controls/control_table.h"

namespace skin {

void TSkinSizer::AfterMessage(fw::TMessage& message) {
  // The grip draws itself while erasing too.
  if (message.Msg == WM_ERASEBKGND) RedrawSkin(nullptr);
  TSkinControl::AfterMessage(message);
}

void TSkinSizer::DrawSkin(HDC dc, TRect rect) {
  if (FSkinData.Elements) FillFace(dc, rect);
}

const TControlSkinKind kSizerKind{"Sizer"_kind, MakeSkin<TSkinSizer>};

} // namespace skin
