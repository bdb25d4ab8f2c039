#include "skin/controls/header.h"

#include "framework/bitmap.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/status_layout.h"
#include "skin/data/core/skin_colours.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace skin {

namespace {

constexpr int kHeaderFrames = 5;
constexpr int kNormalFrame = 1, kHotFrame = 2;
constexpr int kItemInset = 3;
constexpr int kMaxItemText = 200;

} // namespace

void TSkinHeader::Attached() {
  FHotItem = -1;
}

const TDataSkinObject* TSkinHeader::Element() const {
  const TDataSkinObject* e = FSkinData.Elements ? FSkinData.Elements->Headerbar.get() : nullptr;
  return e && !e->Bitmap.Empty() ? e : nullptr;
}

void TSkinHeader::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_MOUSEMOVE:
    MouseMove(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    break;
  case WM_MOUSELEAVE:
    FHotItem = -1;
    Refresh();
    break;
  case WM_PAINT:
    break; // painted before, or natively without a Headerbar image
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinHeader::MouseMove(int x, int y) {
  for (size_t i = 0; i < FItemRects.size(); ++i) {
    const TRect& r = FItemRects[i];
    if (r.Contains(x, y) && static_cast<int>(i) != FHotItem) {
      FHotItem = static_cast<int>(i);
      Refresh();
    }
  }
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
  ::TrackMouseEvent(&track);
}

void TSkinHeader::DoPaint(HDC dc, TRect rect) {
  const TDataSkinObject& element = *Element();
  FWindowEnabled = true;
  fw::SelectGuard font(dc, ControlFont());
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
  const int count = std::max(0, static_cast<int>(::SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0)));
  FItemRects.assign(static_cast<size_t>(count), TRect{});
  int right = rect.Left;
  for (int i = 0; i < count; ++i) {
    RECT r;
    if (!::SendMessageW(FHandle, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    DrawHeaderItem(dc, i, fw::ToTRect(r), images);
    FItemRects[static_cast<size_t>(i)] = {r.left + kItemInset, r.top, r.right - kItemInset,
                                          r.bottom};
    right = std::max(right, static_cast<int>(r.right));
  }
  if (right < rect.Right)
    DrawElementFrame(dc, {right, rect.Top, rect.Right, rect.Bottom},
                     element.FrameCount > 0 ? element.FrameCount : kHeaderFrames, kNormalFrame,
                     element);
  ::SetBkMode(dc, oldMode);
}

void TSkinHeader::DrawHeaderItem(HDC dc, int index, TRect rect, HIMAGELIST images) {
  const TDataSkinObject& element = *Element();
  wchar_t text[kMaxItemText + 1] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = kMaxItemText;
  ::SendMessageW(FHandle, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
  DrawElementFrame(dc, rect, element.FrameCount > 0 ? element.FrameCount : kHeaderFrames,
                   index == FHotItem ? kHotFrame : kNormalFrame, element);
  if (!text[0]) return;
  const bool withImage = images && (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) && item.iImage >= 0;
  const PanelAlignment alignment = (item.fmt & HDF_RIGHT)    ? PanelAlignment::Right
                                   : (item.fmt & HDF_CENTER) ? PanelAlignment::Centre
                                                             : PanelAlignment::Left;
  int imageWidth = 0, imageHeight = 0;
  if (withImage) ImageList_GetIconSize(images, &imageWidth, &imageHeight);
  if (imageWidth >= rect.Width()) imageWidth = imageHeight = 0;
  RECT measured{0, 0, rect.Width(), rect.Height()};
  ::DrawTextW(dc, text, -1, &measured, kDtEndEllipsis | kDtExpandTabs | kDtCalcRect | kDtNoClip);
  const int textWidth = std::min<int>(measured.right - measured.left, rect.Width());
  const int start = rect.Left + HeaderContentStart(alignment, rect.Width(), imageWidth, textWidth);
  if (imageWidth > 0)
    ImageList_Draw(images, item.iImage, dc, start, rect.Top + (rect.Height() - imageHeight) / 2,
                   ILD_TRANSPARENT);
  const int textHeight = measured.bottom - measured.top;
  const int top = rect.Top + (rect.Height() - textHeight) / 2;
  RECT r{start + imageWidth, top, rect.Right, top + textHeight};
  const COLORREF oldColour = ::SetTextColor(dc, SkinColour(kWindowText));
  ::DrawTextW(dc, text, -1, &r, RightToLeftFlags(kDtEndEllipsis | kDtExpandTabs));
  ::SetTextColor(dc, oldColour);
}

const TControlSkinKind kHeaderKind{"Header"_kind, MakeSkin<TSkinHeader>};

} // namespace skin
