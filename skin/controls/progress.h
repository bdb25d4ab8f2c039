// TSkinProgress: progress bars painted whole by the skin: the Progress element's first frame as
// the background and its second frame over the filled share of the range, or, for a skin whose
// Progress has Style 1, its one frame with the Progress.Chunk image tiled or stretched over the
// filled share. A vertical bar is composed lying and turned. Any range fills by the position's
// share of it, so a bar at 0 in −100..100 shows half.
#pragma once

#include "skin/controls/cached_picture.h"
#include "skin/controls/skin_control.h"

namespace skin {

class TSkinProgress : public TSkinControl {
public:
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  void SkinTaken() override;
  // Without a Progress image the bar paints itself.
  bool PaintsWhole() const override { return Element() != nullptr; }
  TPrintRequests PrintRequests() const override { return TPrintRequests::None; }
  // Nothing is erased under the bar, skinned or not.
  TMessageAnswer EraseBackground(fw::TMessage& message) override;

private:
  const TDataSkinBorder* Element() const;
  // The filled width of a bar `width` long.
  int FilledWidth(int width) const;
  // The whole bar (lying) for a filled width.
  TBitmap Compose(const TDataSkinBorder& element, TRect r, TRect rect, int filled) const;
  void DrawChunks(TBitmap& picture, TRect r, TRect rect, int filled) const;

  TCachedPicture FPicture; // the bar as last drawn
};

} // namespace skin
