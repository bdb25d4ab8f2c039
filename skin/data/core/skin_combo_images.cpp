// The combo box images derived at load time: the sunken edge and the drop button composed into
// one 50 × 21 cell per state (and its mirror for right-to-left boxes), and the arrow cut from it.
#include "skin/data/core/skin_loader_parts.h"

#include "skin/data/core/bitmap_routines.h"
#include "skin/data/core/nine_slice.h"

namespace skin::loader {

namespace {

constexpr int kCellWidth = 50;
constexpr int kCellHeight = 21;
constexpr int kArrowSide = 17;

TMargins MarginsOf(const TDataSkinObject& o) {
  return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

void DrawElement(TBitmap& cell, TRect rect, const TDataSkinObject& o, int frame, bool transparent) {
  DrawNineSliceOnto(cell, rect, o.Bitmap, false, o.Tile != 0, transparent, o.FrameCount, frame,
                    MarginsOf(o));
}

} // namespace

void ComposeComboImages(const TLoadContext& c, TSkinElements& e) {
  if (!e.SunkEdge || !e.ComboButton) return;
  TDataSkinObject& edge = *e.SunkEdge;
  TDataSkinBorder& button = *e.ComboButton;
  const int n = std::max(edge.FrameCount, 1);
  const int s = c.env.HorzScrollArrowWidth + 2;
  TBitmap strip(kCellWidth * n, kCellHeight);
  strip.Fill(fw::kMagentaPixel);
  const TRect whole{0, 0, kCellWidth, kCellHeight};
  const TRect right{kCellWidth - s, 0, kCellWidth, kCellHeight};
  for (int k = 1; k <= n; ++k) {
    TBitmap cell(kCellWidth, kCellHeight);
    cell.Fill(fw::kMagentaPixel); // what a transparent edge leaves stays transparent
    DrawElement(cell, whole, edge, k, edge.Trans != 0);
    DrawElement(cell, right, button, k, true);
    if (e.ExtraImages) DrawElement(cell, right, *e.ExtraImages, k, true);
    cell.FillRect({2, 2, kCellWidth - 1 - s, kCellHeight - 3}, fw::kMagentaPixel);
    fw::CopyPixels(strip, kCellWidth * (k - 1), 0, cell, whole);
  }
  button.Style = 2;
  button.LeftWidth = 2;
  button.TopHeight = edge.TopHeight;
  button.RightWidth = s + 2;
  button.BottomHeight = edge.BottomHeight;
  button.Bitmap = strip;
  MirrorHorizontal(strip);
  edge.Bitmap = std::move(strip);
  edge.LeftWidth = s + 2;
  edge.RightWidth = 2;
}

void MakeComboArrow(TSkinElements& e) {
  TDataSkinObject& arrow = *e.ComboxArrow;
  if (!e.SunkEdge && e.ComboButton) {
    arrow.Bitmap = e.ComboButton->Bitmap;
    ReplaceMagenta(arrow.Bitmap, e.Colour(kButtonFace));
    arrow.FrameCount = e.ComboButton->FrameCount;
  } else if (e.SunkEdge && e.ComboButton && e.ComboButton->Style == 2) {
    const int n = std::max(e.SunkEdge->FrameCount, 1);
    TBitmap arrows(kArrowSide * n, kArrowSide);
    for (int i = 0; i < n; ++i) {
      const int cellRight = kCellWidth * (i + 1);
      fw::CopyPixels(arrows, kArrowSide * i, 0, e.ComboButton->Bitmap,
                     {cellRight - 19, 2, cellRight - 2, 2 + kArrowSide});
    }
    arrow.Bitmap = std::move(arrows);
    arrow.FrameCount = n;
  } else {
    // No combo images in this skin: no arrow left over from the previous one.
    arrow.Bitmap.Clear();
    arrow.FrameCount = 0;
  }
}

} // namespace skin::loader
