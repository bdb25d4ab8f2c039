#include "skin/controls/adv_page.h"

#include "framework/buttons.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/nine_slice.h"

#include <algorithm>

namespace skin {

namespace {

constexpr int kTabImageWidth = 100, kTabImageHeight = 21;
constexpr int kNormalFrame = 1, kActiveFrame = 2;
constexpr const wchar_t* kNormalProperty = L"TabBackGround";
constexpr const wchar_t* kActiveProperty = L"TabBackGroundActive";

void AssignBitmapProperty(fw::TWinControl& control, const wchar_t* name, TBitmap image) {
  const auto property = fw::GetObjectProp(control, name);
  if (auto* bitmap = property ? dynamic_cast<fw::TGlyphBitmap*>(*property) : nullptr)
    bitmap->Image = std::move(image);
}

} // namespace

void TSkinAdvPage::Attached() {
  if (!FControl) return;
  FeedImages(false);
  FUpDown.Find(FHandle, FSkinData);
}

void TSkinAdvPage::DrawSkin(HDC /*dc*/, TRect /*rect*/) {
  FUpDown.Find(FHandle, FSkinData);
}

void TSkinAdvPage::SkinChanged(const TControlSkinSource& skinData) {
  FSkinData = skinData;
  // A skin without a Tabs image leaves the control its own look, not the old skin's pictures.
  FeedImages(!FSkinData.Elements || !FSkinData.Elements->Tabs);
  FUpDown.SkinChanged(skinData);
}

void TSkinAdvPage::Deactivate() {
  const bool wasOn = FSkinOn;
  TSkinControl::Deactivate();
  if (wasOn) FeedImages(true);
}

void TSkinAdvPage::FeedImages(bool clear) {
  if (!FControl || FState == TSkinLife::Destroyed) return;
  const TDataSkinBorder* tabs = FSkinData.Elements ? FSkinData.Elements->Tabs.get() : nullptr;
  if (clear) {
    AssignBitmapProperty(*FControl, kNormalProperty, {});
    AssignBitmapProperty(*FControl, kActiveProperty, {});
  } else if (tabs) {
    const TMargins margins{tabs->LeftWidth, tabs->TopHeight, tabs->RightWidth, tabs->BottomHeight};
    const int frames = std::max(tabs->FrameCount, 1);
    for (const auto& [property, frame] :
         {std::pair{kNormalProperty, kNormalFrame}, std::pair{kActiveProperty, kActiveFrame}})
      AssignBitmapProperty(*FControl, property,
                           RenderNineSlice(kTabImageWidth, kTabImageHeight, tabs->Bitmap, margins,
                                           false, tabs->Tile == 1, frames, frame));
  } else {
    return;
  }
  FControl->Invalidate();
}

const TControlSkinKind kAdvPageKind{"AdvPage"_kind, MakeSkin<TSkinAdvPage>};

} // namespace skin
