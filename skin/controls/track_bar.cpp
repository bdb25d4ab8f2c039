#include "skin/controls/track_bar.h"

#include "framework/bitmap.h"
#include "framework/comctrls.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/bar_layout.h"
#include "skin/data/core/nine_slice.h"
#include "skin/data/core/skin_colours.h"

#include <algorithm>
#include <utility>

namespace skin {

namespace {

const NMHDR* Header(const fw::TMessage& message) {
  return reinterpret_cast<const NMHDR*>(message.LParam);
}

// The element when it has an image.
const TDataSkinObject* WithImage(const std::unique_ptr<TDataSkinObject>& element) {
  return element && !element->Bitmap.Empty() ? element.get() : nullptr;
}

} // namespace

void TSkinTrackBar::Attached() {
  if (FControl) return; // our track bars tell their custom draw to themselves
  FParentHook = std::make_unique<TWindowSubclass>([this](UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (msg == WM_NOTIFY && header && header->hwndFrom == FHandle &&
        header->code == static_cast<UINT>(NM_CUSTOMDRAW) && FSkinOn)
      return ::SendMessageW(FHandle, fw::CN_NOTIFY, wParam, lParam);
    return FParentHook->PassOn(msg, wParam, lParam);
  });
  FParentHook->Hook(::GetParent(FHandle));
}

TMessageAnswer TSkinTrackBar::BeforeMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_NOTIFY:
  case fw::CN_NOTIFY:
    // The track bar's own drawing only (its tool tip draws itself).
    if (Header(message) && Header(message)->hwndFrom == FHandle &&
        Header(message)->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
      return TMessageAnswer::Handled;
    }
    return TMessageAnswer::PassOn;
  case WM_NCDESTROY:
    if (FParentHook) FParentHook->Unhook();
    return TSkinControl::BeforeMessage(message);
  default:
    return TSkinControl::BeforeMessage(message);
  }
}

void TSkinTrackBar::SkinTaken() {
  FChannel.Clear();
  FThumb.Clear();
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
  if (!FSkinData.Elements) return CDRF_DODEFAULT;
  switch (draw.dwDrawStage) {
  case CDDS_PREPAINT:
    return CDRF_NOTIFYITEMDRAW;
  case CDDS_ITEMPREPAINT:
    switch (draw.dwItemSpec) {
    case TBCD_THUMB:
      DrawThumb(draw.hdc);
      return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
      DrawChannel(draw.hdc);
      return CDRF_SKIPDEFAULT;
    default:
      return CDRF_DODEFAULT; // the ticks are the system's
    }
  default:
    return CDRF_DODEFAULT;
  }
}

bool TSkinTrackBar::Vertical() const {
  return ::GetWindowLongW(FHandle, GWL_STYLE) & TBS_VERT;
}

void TSkinTrackBar::DrawChannel(HDC dc) {
  RECT r{};
  ::SendMessageW(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TSkinElements& e = *FSkinData.Elements;
  bool vertical = Vertical();
  const TDataSkinObject* image = vertical ? WithImage(e.TrackVert) : nullptr;
  if (vertical && image) {
    // Windows gives a vertical bar's channel in horizontal orientation; Wine gives it as it
    // lies. Either way it is used lying along the bar.
    if (r.right - r.left > r.bottom - r.top) {
      std::swap(r.left, r.top);
      std::swap(r.right, r.bottom);
    }
  } else {
    image = WithImage(e.Track);
    if (!image) return;
    vertical = false;
  }
  const TBitmap& bitmap = image->Bitmap;
  // Laid along x: a vertical image is read with its axes swapped.
  const int length = vertical ? bitmap.Height() : bitmap.Width();
  const int thickness = vertical ? bitmap.Width() : bitmap.Height();
  const int channelLength = vertical ? r.bottom - r.top : r.right - r.left;
  const int channelThickness = vertical ? r.right - r.left : r.bottom - r.top;
  if (channelLength <= 0) return;
  const ChannelPieces p = LayoutChannel(
      length, thickness, vertical ? image->TopHeight : image->LeftWidth,
      vertical ? image->BottomHeight : image->RightWidth, channelLength, channelThickness);
  // The pieces are composed once in a picture of the channel's length and the image's thickness.
  const TPictureKey key{image, vertical ? thickness : channelLength,
                        vertical ? channelLength : thickness, vertical};
  if (!FChannel.Holds(key)) {
    auto span = [&](int start, int size, int from, int fromSize) {
      return vertical ? std::pair{TRect{0, start, thickness, start + size},
                                  TRect{0, from, thickness, from + fromSize}}
                      : std::pair{TRect{start, 0, start + size, thickness},
                                  TRect{from, 0, from + fromSize, thickness}};
    };
    TBitmap& picture = FChannel.Start(key);
    const std::pair<TRect, TRect> pieces[] = {
        span(0, p.headTarget, 0, p.headSource),
        span(p.middleTargetStart, p.middleTargetLength, p.middleSourceStart, p.middleSourceLength),
        span(p.tailTargetStart, p.tailLength, p.tailSourceStart, p.tailLength)};
    for (const auto& [to, from] : pieces)
      fw::StretchCopy(picture, to, bitmap, from);
    FChannel.Finish(false);
  }
  FChannel.Draw(dc, r.left + (vertical ? p.offset : 0), r.top + (vertical ? 0 : p.offset));
}

void TSkinTrackBar::DrawThumb(HDC dc) {
  if (!::IsWindow(FHandle)) return;
  RECT r{};
  ::SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TSkinElements& e = *FSkinData.Elements;
  const TDataSkinObject* image = Vertical() ? WithImage(e.TrackbarThumbVert) : nullptr;
  if (!image) image = WithImage(e.TrackbarThumbHorz);
  const TRect rect = fw::ToTRect(r);
  if (image) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    const TPictureKey key{image, rect.Width(), rect.Height(), kTrackThumbCell};
    if (!FThumb.Holds(key)) {
      fw::StretchCopy(FThumb.Start(key), {0, 0, rect.Width(), rect.Height()}, image->Bitmap,
                      FrameRect(image->Bitmap, false, kTrackThumbCells, kTrackThumbCell));
      FThumb.Finish(true);
    }
    FThumb.Draw(dc, rect.Left, rect.Top);
    return;
  }
  FillColor(dc, rect, RGB(255, 255, 255));
  fw::Brush outline(::CreateSolidBrush(SkinColour(kButtonShadow)));
  ::FrameRect(dc, &r, outline.get());
}

const TControlSkinKind kTrackBarKind{"TrackBar"_kind, MakeSkin<TSkinTrackBar>, true,
                                     ProbeIsA<"TrackBar", fw::TTrackBar>};

} // namespace skin
