#include "skin/controls/tab.h"

#include "framework/bitmap.h"
#include "framework/sysutils.h"
#include "framework/tab_control.h"
#include "skin/common/skin_paint.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/bitmap_routines.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

#include <commctrl.h>
#include <windowsx.h>

namespace skin {

namespace {

constexpr int kPageInflate = 4;
constexpr int kTabFrames = 5;
constexpr int kNormalTab = 1, kFocusedTab = 2;
constexpr int kMaxTabText = 80;
// Margins of the Tabs element's own border image used as the pane.
constexpr TMargins kBorderPaneMargins{4, 5, 4, 4};
constexpr int kCloseButtonsTag = 7777;

// The close mark of a tab: a small box in its top-right corner.
TRect CloseBox(TRect tab) {
  return {tab.Right - 8, tab.Top + 2, tab.Right - 2, tab.Top + 8};
}

void DrawCloseMark(HDC dc, TRect box) {
  fw::SelectGuard brush(dc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(dc, box.Left, box.Top, box.Right, box.Bottom);
  ::MoveToEx(dc, box.Left, box.Top, nullptr);
  ::LineTo(dc, box.Right, box.Bottom);
  ::MoveToEx(dc, box.Right - 1, box.Top, nullptr);
  ::LineTo(dc, box.Left - 1, box.Bottom);
}

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

} // namespace

const TDataSkinBorder* TSkinTab::Tabs() const {
  return FSkinData.Elements ? FSkinData.Elements->Tabs.get() : nullptr;
}

void TSkinTab::Attached() {
  if (FControl) {
    const auto close = fw::GetEnumProp(*FControl, L"CloseButtons");
    FCloseButtons = FControl->Tag == kCloseButtonsTag && dynamic_cast<fw::TTabControl*>(FControl) &&
                    close && AsciiLower(fw::WideToUtf8(*close)) == "true";
  } else {
    FFocused = ::GetFocus() == FHandle;
  }
  FWindowEnabled = !(::GetWindowLongW(FHandle, GWL_STYLE) & WS_DISABLED);
  PrepareImages();
  FindUpDown();
  FSkinOn = true;
}

void TSkinTab::SkinTaken() {
  PrepareImages();
  FUpDown.SkinChanged(FSkinData);
}

void TSkinTab::PrepareImages() {
  FTabPosition =
      TabPositionFromStyle(static_cast<std::uint32_t>(::GetWindowLongW(FHandle, GWL_STYLE)));
  FTabImage.Clear();
  FPaneImage.Clear();
  FLook = {};
  const TDataSkinBorder* tabs = Tabs();
  if (!tabs) return;
  FTabImage = tabs->Bitmap;
  const TDataSkinObject* pane = FSkinData.Elements->TabPane.get();
  if (tabs->Style == 0)
    FPaneImage = tabs->Bitmap2;
  else if (tabs->Style == 1 && pane)
    FPaneImage = pane->Bitmap;
  FLook.tile = tabs->Tile == 1;
  FLook.transparent = tabs->Trans == 1;
  FLook.frameCount = tabs->FrameCount > 0 ? tabs->FrameCount : kTabFrames;
  FLook.margins = MarginsOf(*tabs);
  FLook.paneMargins = tabs->Style == 1 && pane ? MarginsOf(*pane) : kBorderPaneMargins;
  FLook.normalText = tabs->NormalColour2 & 0xFFFFFF;
  FLook.focusedText = tabs->MouseOverColour2 & 0xFFFFFF;
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

TMessageAnswer TSkinTab::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_LBUTTONDOWN:
    if (!CloseTabAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)))
      return TMessageAnswer::PassOn;
    message.Result = 0;
    return TMessageAnswer::Handled;
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

bool TSkinTab::CloseTabAt(int x, int y) {
  if (!FCloseButtons) return false;
  for (size_t i = 0; i < FCloseRects.size(); ++i) {
    const TRect& r = FCloseRects[i];
    if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
    HWND owner = FSkinForm ? FSkinForm->Handle() : ::GetParent(FHandle);
    const LRESULT keep = ::SendMessageW(owner, SM_TABCLOSE, reinterpret_cast<WPARAM>(FHandle),
                                        static_cast<LPARAM>(i));
    if (keep == 0) {
      if (auto* control = dynamic_cast<fw::TTabControl*>(FControl))
        control->DeleteTab(static_cast<int>(i));
      else
        ::SendMessageW(FHandle, TCM_DELETEITEM, i, 0);
    }
    return true;
  }
  return false;
}

TSkinTab::TTabItem TSkinTab::TabItem(int index) const {
  wchar_t text[kMaxTabText + 1] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text;
  item.cchTextMax = kMaxTabText;
  item.iImage = -1;
  if (!::SendMessageW(FHandle, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item))) return {};
  return {text, item.iImage};
}

bool TSkinTab::FindUpDown() {
  return FUpDown.Find(FHandle, FSkinData);
}

void TSkinTab::CopyBand(HDC dc, int x, int y, TBitmap& band) const {
  const int saved = ::SaveDC(dc);
  ExcludeChildWindows(dc);
  fw::DrawBitmap(dc, x, y, band);
  ::RestoreDC(dc, saved);
}

void TSkinTab::ExcludeChildWindows(HDC dc) const {
  for (HWND c = ::GetWindow(FHandle, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(c)) continue;
    RECT r;
    ::GetWindowRect(c, &r);
    ::MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&r), 2);
    ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

void TSkinTab::DrawSkin(HDC dc, TRect rect) {
  FindUpDown(); // the scroller comes when the tabs stop fitting
  RECT d = fw::ToRECT(rect);
  ::SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
  ::InflateRect(&d, kPageInflate, kPageInflate);
  const TRect page = PageIntoBand(fw::ToTRect(d), FTabPosition);
  if (!FTabImage.Empty()) DrawBand(dc, rect, page);
  if (!FPaneImage.Empty()) {
    // The pane's magenta (its open middle, as a rule) lets the face show, never itself.
    const int saved = ::SaveDC(dc);
    ExcludeChildWindows(dc);
    FillFace(dc, page);
    DrawNineSlice(dc, page, FPaneImage, false, false, true, 1, 1, FLook.paneMargins);
    ::RestoreDC(dc, saved);
  }
}

void TSkinTab::DrawBand(HDC dc, TRect rect, TRect page) {
  const TRect band = TabBand(rect, page, FTabPosition);
  const TabBufferSize size = BandBufferSize(band, FTabPosition);
  if (size.width <= 0 || size.height <= 0) return;
  TBitmap buffer(size.width, size.height);
  const int count = static_cast<int>(::SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
  const int focused = static_cast<int>(::SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
  const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
  // Close marks on tabs across the top or bottom only: turned tabs would turn them too.
  const bool closeMarks =
      FCloseButtons && (FTabPosition == TabPosition::Top || FTabPosition == TabPosition::Bottom);
  FCloseRects.assign(closeMarks ? static_cast<size_t>(std::max(count, 0)) : 0, TRect{});
  fw::DrawInto(buffer, [&](HDC b) {
    FillParentColor(b, {0, 0, size.width, size.height});
    fw::SelectGuard font(b, ControlFont());
    for (int i = 0; i < count; ++i) {
      RECT r;
      if (!::SendMessageW(FHandle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      const TRect tab = TabInBuffer(fw::ToTRect(r), FTabPosition, rect, page, size);
      const int state = i == focused ? kFocusedTab : kNormalTab;
      DrawNineSlice(b, tab, FTabImage, false, FLook.tile, FLook.transparent, FLook.frameCount,
                    state, FLook.margins);
      const COLORREF oldColour =
          ::SetTextColor(b, state == kNormalTab ? FLook.normalText : FLook.focusedText);
      const TTabItem item = TabItem(i);
      DrawImageAndText(b, tab, PanelAlignment::Centre, item.text, item.image, images);
      ::SetTextColor(b, oldColour);
      if (closeMarks) {
        const TRect box = CloseBox(tab);
        DrawCloseMark(b, box);
        // The band's buffer lies at the band's top-left in the window.
        FCloseRects[static_cast<size_t>(i)] = {box.Left + band.Left, box.Top + band.Top,
                                               box.Right + band.Left, box.Bottom + band.Top};
      }
    }
  });
  if (FTabPosition == TabPosition::Left) RotateLeft(buffer);
  if (FTabPosition == TabPosition::Right) RotateRight(buffer);
  CopyBand(dc, band.Left, band.Top, buffer);
}

// Its trait: our tab control, or a page control.
const TControlSkinKind kTabKind{"Tab"_kind, MakeSkin<TSkinTab>, false,
                                ProbeIsA<"TabControl", fw::TTabControl>};

} // namespace skin
