#include "skin/controls/tab_sheet.h"

#include "framework/page_control.h"
#include "skin/controls/control_table.h"

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

namespace {
// A page whose parent is a page control.
bool OnPageControl(fw::TControl& control) {
  return dynamic_cast<fw::TPageControl*>(control.Parent()) != nullptr;
}
constexpr TTraitProbe kTabSheetProbes[] = {{"PageOfTabs", OnPageControl}};
} // namespace

const TControlSkinKind kTabSheetKind{"TabSheet"_kind, MakeSkin<TSkinTabSheet>, false,
                                     kTabSheetProbes};

} // namespace skin
