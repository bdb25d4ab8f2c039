#include "skin/controls/box.h"

#include "framework/form.h"
#include "framework/panel.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/skin_colours.h"

namespace skin {

HBRUSH TFaceBrush::Get(COLORREF colour) {
  if (!FBrush || colour != FColour) {
    FBrush.reset(::CreateSolidBrush(colour));
    FColour = colour;
  }
  return FBrush.get();
}

// --- TSkinBox

void TSkinBox::Deactivate() {
  TSkinControl::Deactivate();
  if (FState != TSkinLife::Destroyed) FState = TSkinLife::Deactivated;
}

// --- TSkinBoxH

TMessageAnswer TSkinBoxH::BeforeMessage(fw::TMessage& message) {
  if (message.Msg != WM_CTLCOLORSTATIC) return TSkinControl::BeforeMessage(message);
  if (!CallOldProc(message)) return TMessageAnswer::Handled;
  ::SetBkColor(reinterpret_cast<HDC>(message.WParam), SkinColour(kButtonFace));
  message.Result = reinterpret_cast<LRESULT>(FFaceBrush.Get(SkinColour(kButtonFace)));
  return TMessageAnswer::Handled;
}

TMessageAnswer TSkinBoxH::EraseBackground(fw::TMessage& message) {
  RECT window;
  if (::GetWindowRect(FHandle, &window))
    FillFace(reinterpret_cast<HDC>(message.WParam),
             {0, 0, window.right - window.left, window.bottom - window.top});
  message.Result = 0;
  return TMessageAnswer::Handled;
}

namespace {
constexpr TTraitProbe kBoxProbes[] = {{"Panel", IsA<fw::TPanel>}, {"Form", IsA<fw::TForm>}};
} // namespace

const TControlSkinKind kBoxKind{"Box"_kind, MakeSkin<TSkinBox>, true, kBoxProbes};
const TControlSkinKind kBoxHKind{"BoxH"_kind, MakeSkin<TSkinBoxH>};

} // namespace skin
