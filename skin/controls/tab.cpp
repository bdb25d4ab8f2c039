#include "skin/controls/tab.h"

#include "framework/bitmap.h"
#include "skin/data/core/bitmap_routines.h"
#include "skin/forms/skin_paint.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kPageInflate = 4;
constexpr int kTabFrames = 5;
constexpr int kNormalTab = 1, kFocusedTab = 2;
constexpr int kMaxTabText = 80;
// Margins of the Tabs element's own border image used as the pane.
constexpr TMargins kBorderPaneMargins{4, 5, 4, 4};

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

} // namespace

const TDataSkinBorder* TSkinTab::Tabs() const {
  return FSkinData.Elements ? FSkinData.Elements->Tabs.get() : nullptr;
}

void TSkinTab::AttachControl(fw::TWinControl& control, TWinSkinForm* skinForm,
                             const TControlSkinSource& skinData, bool setColor,
                             fw::TCanvas* canvas) {
  TSkinControl::AttachControl(control, skinForm, skinData, setColor, canvas);
  PrepareImages();
  FSkinOn = true;
  FTabUnicode = ::IsWindowUnicode(FHandle);
}

void TSkinTab::AttachWindow(HWND handle, const TControlSkinSource& skinData, TWinSkinForm* skinForm,
                            fw::TCanvas* canvas) {
  TSkinControl::AttachWindow(handle, skinData, skinForm, canvas);
  FFocused = ::GetFocus() == handle;
  FWindowEnabled = !(::GetWindowLongW(handle, GWL_STYLE) & WS_DISABLED);
  PrepareImages();
  FSkinOn = true;
  FTabUnicode = ::IsWindowUnicode(handle);
}

void TSkinTab::SkinChanged(const TControlSkinSource& skinData) {
  TSkinControl::SkinChanged(skinData);
  PrepareImages();
}

void TSkinTab::PrepareImages() {
  FTabPosition =
      TabPositionFromStyle(static_cast<std::uint32_t>(::GetWindowLongW(FHandle, GWL_STYLE)));
  FTabImage.Clear();
  FPaneImage.Clear();
  const TDataSkinBorder* tabs = Tabs();
  if (!tabs) return;
  FTabImage = tabs->Bitmap;
  const TDataSkinObject* pane = FSkinData.Elements->TabPane.get();
  if (tabs->Style == 0)
    FPaneImage = tabs->Bitmap2;
  else if (tabs->Style == 1 && pane)
    FPaneImage = pane->Bitmap;
  switch (FTabPosition) {
  case TabPosition::Bottom:
    FlipVertical(FTabImage);
    FlipVertical(FPaneImage);
    break;
  case TabPosition::Left:
    RotateLeft(FPaneImage);
    break;
  case TabPosition::Right:
    RotateRight(FPaneImage);
    break;
  default:
    break;
  }
}

bool TSkinTab::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_PAINT:
  case WM_PRINTCLIENT:
    PaintNow(message);
    return false;
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

std::wstring TSkinTab::TabText(int index) const {
  wchar_t text[kMaxTabText + 1] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = kMaxTabText;
  ::SendMessageW(FHandle, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

void TSkinTab::DrawSkin(HDC dc, TRect rect) {
  RECT d{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
  ::InflateRect(&d, kPageInflate, kPageInflate);
  const TRect page = PageIntoBand({d.left, d.top, d.right, d.bottom}, FTabPosition);
  if (!FTabImage.Empty()) DrawBand(dc, rect, page);
  if (!FPaneImage.Empty()) {
    const TDataSkinObject* pane = FSkinData.Elements->TabPane.get();
    const TMargins margins = Tabs()->Style == 1 && pane ? MarginsOf(*pane) : kBorderPaneMargins;
    DrawNineSlice(dc, page, FPaneImage, false, false, false, 1, 1, margins);
  }
}

void TSkinTab::DrawBand(HDC dc, TRect rect, TRect page) {
  const TDataSkinBorder& tabs = *Tabs();
  const TRect band = TabBand(rect, page, FTabPosition);
  const TabBufferSize size = BandBufferSize(band, FTabPosition);
  if (size.width <= 0 || size.height <= 0) return;
  TBitmap buffer(size.width, size.height);
  const int count = static_cast<int>(::SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(::SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
  fw::DrawInto(buffer, [&](HDC b) {
    FillParentColor(b, {0, 0, size.width, size.height});
    fw::SelectGuard font(b, ControlFont());
    for (int i = 0; i < count; ++i) {
      RECT r;
      if (!::SendMessageW(FHandle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      const TRect tab =
          TabInBuffer({r.left, r.top, r.right, r.bottom}, FTabPosition, rect, page, size);
      const int state = i == focused ? kFocusedTab : kNormalTab;
      DrawNineSlice(b, tab, FTabImage, false, tabs.Tile == 1, tabs.Trans == 1,
                    tabs.FrameCount > 0 ? tabs.FrameCount : kTabFrames, state, MarginsOf(tabs));
      const COLORREF oldColour = ::SetTextColor(
          b, (state == kNormalTab ? tabs.NormalColour2 : tabs.MouseOverColour2) & 0xFFFFFF);
      DrawAlignedText(b, tab, kDtCenter, true, TabText(i));
      ::SetTextColor(b, oldColour);
    }
  });
  if (FTabPosition == TabPosition::Left) RotateLeft(buffer);
  if (FTabPosition == TabPosition::Right) RotateRight(buffer);
  fw::DrawBitmap(dc, band.Left, band.Top, buffer);
}

} // namespace skin
