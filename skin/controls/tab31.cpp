#include "skin/controls/tab31.h"

#include "framework/tab_set.h"
#include "skin/common/skin_paint.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/tab_layout.h"
#include "skin/data/core/bitmap_routines.h"

#include <algorithm>

namespace skin {

namespace {

constexpr int kTabFrames = 5;
constexpr int kNormalTab = 1, kSelectedTab = 2;

} // namespace

void TSkinTab31::Attached() {
  if (!FControl) return;
  PrepareImage();
  auto* scroller = FControl->Components().empty()
                       ? nullptr
                       : dynamic_cast<fw::TUpDown*>(FControl->Components().front());
  if (scroller) FUpDown.Attach(scroller->Handle(), FSkinData, true);
}

void TSkinTab31::SkinTaken() {
  PrepareImage();
  FUpDown.SkinChanged(FSkinData);
}

void TSkinTab31::PrepareImage() {
  FTabImage.Clear();
  const TDataSkinBorder* tabs = FSkinData.Elements ? FSkinData.Elements->Tabs.get() : nullptr;
  if (!tabs) return;
  FTabImage = tabs->Bitmap;
  FlipVertical(FTabImage); // the tabs hang below the strip
  FTile = tabs->Tile == 1;
  FTransparent = tabs->Trans == 1;
  FFrameCount = tabs->FrameCount > 0 ? tabs->FrameCount : kTabFrames;
  FMargins = {tabs->LeftWidth, tabs->TopHeight, tabs->RightWidth, tabs->BottomHeight};
  FNormalText = tabs->NormalColour2 & 0xFFFFFF;
  FSelectedText = tabs->MouseOverColour2 & 0xFFFFFF;
}

void TSkinTab31::DrawSkin(HDC dc, TRect rect) {
  if (!FTabImage.Empty()) DrawBuffered(dc, rect);
}

void TSkinTab31::DoPaint(HDC dc, TRect rect) {
  auto* tabSet = dynamic_cast<fw::TTabSet*>(FControl);
  FillFace(dc, rect);
  if (!tabSet) return;
  fw::SelectGuard font(dc, ControlFont());
  const int endMargin = fw::GetOrdProp(*tabSet, L"EndMargin").value_or(0);
  const int selected = fw::GetOrdProp(*tabSet, L"TabIndex").value_or(-1);
  int x = fw::GetOrdProp(*tabSet, L"StartMargin").value_or(0);
  const bool scrollerVisible = FUpDown.Visible();
  for (size_t i = static_cast<size_t>(std::max(tabSet->FirstIndex, 0)); i < tabSet->Tabs.size();
       ++i) {
    const std::wstring& text = tabSet->Tabs[i];
    SIZE s{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &s);
    if (!TabSetTabFits(rect.Width(), endMargin, x, s.cx, scrollerVisible)) break;
    const TRect tab{x, 0, x + s.cx + kTabSetPadding, rect.Height()};
    const int state = static_cast<int>(i) == selected ? kSelectedTab : kNormalTab;
    DrawNineSlice(dc, tab, FTabImage, false, FTile, FTransparent, FFrameCount, state, FMargins);
    const COLORREF oldColour =
        ::SetTextColor(dc, state == kNormalTab ? FNormalText : FSelectedText);
    DrawAlignedText(dc, tab, kDtCenter, true, text);
    ::SetTextColor(dc, oldColour);
    x = tab.Right;
  }
}

const TControlSkinKind kTab31Kind{"Tab31"_kind, MakeSkin<TSkinTab31>};

} // namespace skin
