#include "skin/controls/tab_btn.h"

#include "framework/bitmap.h"
#include "skin/common/skin_paint.h"
#include "skin/controls/control_table.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kPageInflate = 4;
constexpr int kButtonFrames = 5;
constexpr int kNormalTab = 1, kFocusedTab = 2;

} // namespace

bool TSkinTabBtn::PaintsWhole() const {
  const TDataSkinButton* buttons = FSkinData.Elements ? FSkinData.Elements->Buttons.get() : nullptr;
  return buttons && !buttons->Bitmap.Empty();
}

void TSkinTabBtn::DrawSkin(HDC dc, TRect rect) {
  const TDataSkinButton* buttons = FSkinData.Elements ? FSkinData.Elements->Buttons.get() : nullptr;
  if (!buttons || buttons->Bitmap.Empty()) return;
  FindUpDown();
  FWindowEnabled = FControl ? FControl->Enabled() : ::IsWindowEnabled(FHandle) != FALSE;
  RECT d = fw::ToRECT(rect);
  ::SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
  ::InflateRect(&d, kPageInflate, kPageInflate);
  const TRect band{rect.Left, rect.Top, rect.Right, d.top + 1};
  if (band.Width() <= 0 || band.Height() <= 0) return;
  TBitmap buffer(band.Width(), band.Height());
  const int count = static_cast<int>(::SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(::SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
  const TMargins margins{buttons->LeftWidth, buttons->TopHeight, buttons->RightWidth,
                         buttons->BottomHeight};
  fw::DrawInto(buffer, [&](HDC b) {
    FillFace(b, {0, 0, band.Width(), band.Height()});
    fw::SelectGuard font(b, ControlFont());
    for (int i = 0; i < count; ++i) {
      RECT r;
      if (!::SendMessageW(FHandle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      const TRect tab{r.left, r.top + 1, r.right, r.bottom + 1};
      const int state = i == focused ? kFocusedTab : kNormalTab;
      DrawNineSlice(b, tab, buttons->Bitmap, false, buttons->Tile == 1, buttons->Trans == 1,
                    buttons->FrameCount > 0 ? buttons->FrameCount : kButtonFrames, state, margins);
      COLORREF colour = RGB(0, 0, 0);
      if (state == kNormalTab && buttons->HasNormalColour2) colour = buttons->NormalColour2;
      if (state == kFocusedTab && buttons->HasPressedColour2) colour = buttons->PressedColour2;
      ::SetTextColor(b, colour & 0xFFFFFF);
      const TTabItem item = TabItem(i);
      DrawImageAndText(b, tab, PanelAlignment::Centre, item.text, item.image, images);
    }
  });
  CopyBand(dc, band.Left, band.Top, buffer);
  // Button tabs have no page frame: the rest of the window is the face, as the band is.
  const int saved = ::SaveDC(dc);
  ExcludeChildWindows(dc);
  FillFace(dc, {rect.Left, band.Bottom, rect.Right, rect.Bottom});
  ::RestoreDC(dc, saved);
}

const TControlSkinKind kTabBtnKind{"TabBtn"_kind, MakeSkin<TSkinTabBtn>};

} // namespace skin
