#include "skin/controls/progress.h"

#include "framework/bitmap.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/bar_layout.h"
#include "skin/data/core/bitmap_routines.h"
#include "skin/data/core/nine_slice.h"
#include "skin/data/core/skin_colours.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kChunkStyle = 1;
// The stretched chunk strip stands this far in from the bar's top-left corner.
constexpr int kChunkInset = 2;

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

// The frame's left and right columns kept, its middle stretched, all stretched to the height.
void StretchThreeColumns(TBitmap& target, TRect to, const TBitmap& image, TMargins m) {
  const int fw = image.Width(), fh = image.Height();
  if (to.Width() < fw) {
    fw::StretchCopy(target, to, image, {0, 0, fw, fh});
    return;
  }
  fw::StretchCopy(target, {to.Left, to.Top, to.Left + m.Left, to.Bottom}, image,
                  {0, 0, m.Left, fh});
  fw::StretchCopy(target, {to.Left + m.Left, to.Top, to.Right - m.Right, to.Bottom}, image,
                  {m.Left, 0, fw - m.Right, fh});
  fw::StretchCopy(target, {to.Right - m.Right, to.Top, to.Right, to.Bottom}, image,
                  {fw - m.Right, 0, fw, fh});
}

} // namespace

const TDataSkinBorder* TSkinProgress::Element() const {
  const TDataSkinBorder* p = FSkinData.Elements ? FSkinData.Elements->Progress.get() : nullptr;
  return p && !p->Bitmap.Empty() ? p : nullptr;
}

TMessageAnswer TSkinProgress::EraseBackground(fw::TMessage& message) {
  message.Result = 1;
  return TMessageAnswer::Handled;
}

int TSkinProgress::FilledWidth(int width) const {
  const int position = static_cast<int>(::SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  const int upper = static_cast<int>(::SendMessageW(FHandle, PBM_GETRANGE, FALSE, 0));
  const int lower = static_cast<int>(::SendMessageW(FHandle, PBM_GETRANGE, TRUE, 0));
  return ProgressFill(width, position, lower, upper);
}

void TSkinProgress::SkinTaken() {
  FPicture.Clear();
}

void TSkinProgress::DrawSkin(HDC dc, TRect rect) {
  const TDataSkinBorder* element = Element();
  if (!element || rect.Width() <= 0 || rect.Height() <= 0) return;
  const bool vertical = ::GetWindowLongW(FHandle, GWL_STYLE) & PBS_VERTICAL;
  // A vertical bar is drawn lying, then turned.
  const TRect r = vertical ? TRect{0, 0, rect.Height(), rect.Width()} : rect;
  const int filled = FilledWidth(r.Width());
  const TPictureKey key{element, rect.Width(), rect.Height(), filled * 2 + (vertical ? 1 : 0)};
  if (!FPicture.Holds(key)) {
    if (element->Style == kChunkStyle &&
        (!FSkinData.Elements->ProgressChunk || FSkinData.Elements->ProgressChunk->Bitmap.Empty()))
      return;
    TBitmap picture = Compose(*element, r, rect, filled);
    if (vertical) RotateLeft(picture);
    FPicture.Start(key) = std::move(picture);
    FPicture.Finish(false);
  }
  FPicture.Draw(dc, rect.Left, rect.Top);
}

TBitmap TSkinProgress::Compose(const TDataSkinBorder& element, TRect r, TRect rect,
                               int filled) const {
  TBitmap picture(r.Right, r.Bottom, fw::TPixelFormat::pf32bit);
  picture.Fill(fw::PixelOf(SkinColour(kButtonFace)));
  if (element.Style == kChunkStyle) {
    DrawNineSliceOnto(picture, r, element.Bitmap, false, false, true, 1, 1, MarginsOf(element));
    DrawChunks(picture, r, rect, filled);
  } else {
    DrawNineSliceOnto(picture, r, element.Bitmap, false, element.Tile == 1, true, 2, 1,
                      MarginsOf(element));
    if (filled > 0)
      DrawNineSliceOnto(picture, {r.Left, r.Top, r.Left + filled, r.Bottom}, element.Bitmap, false,
                        element.Tile == 1, true, 2, 2, MarginsOf(element));
  }
  return picture;
}

void TSkinProgress::DrawChunks(TBitmap& picture, TRect r, TRect rect, int filled) const {
  if (filled <= 0) return;
  const TDataSkinObject& chunk = *FSkinData.Elements->ProgressChunk;
  const TBitmap& image = chunk.Bitmap;
  if (chunk.Tile == 1) {
    // Chunks side by side from the strip's left end, the strip centred across the bar.
    TBitmap strip(filled, image.Height());
    for (int x = 0; x < filled; x += image.Width())
      fw::CopyPixels(strip, x, 0, image, {0, 0, image.Width(), image.Height()});
    fw::CopyPixels(picture, chunk.LeftWidth + kChunkInset,
                   rect.Top + (r.Bottom - image.Height()) / 2, strip,
                   {0, 0, strip.Width(), strip.Height()});
    return;
  }
  TBitmap strip(r.Left + filled, r.Bottom - 2 * kChunkInset);
  if (strip.Empty()) return;
  StretchThreeColumns(strip, {r.Left, r.Top, r.Left + filled, r.Bottom}, image, MarginsOf(chunk));
  fw::CopyPixels(picture, kChunkInset, kChunkInset, strip, {0, 0, strip.Width(), strip.Height()});
}

const TControlSkinKind kProgressKind{"Progress"_kind, MakeSkin<TSkinProgress>};

} // namespace skin
