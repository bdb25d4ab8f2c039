// TSkinTab31: old-style tab sets (a row of tabs along the bottom) painted from the skin's Tabs
// element flipped top to bottom: frame 2 for the selected tab, frame 1 for the others, from the
// start margin on; a tab that does not fit before the end margin is left out, never drawn in part.
// The tab set's scroller (its first owned component, an up-down) gets a skin of its own. Under a
// skin without a Tabs image the tab set paints itself; what a paint needs of the Tabs element is
// taken with the image, before the repaint of a skin change.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/controls/up_down.h"

namespace skin {

class TSkinTab31 : public TSkinControl {
public:
  TSkinTab31() { FPaintMode = TPaintMode::Whole; }

  void Attached() override;
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  void SkinTaken() override;
  bool PaintsWhole() const override { return !FTabImage.Empty(); }
  TPrintRequests PrintRequests() const override { return TPrintRequests::None; }
  void DoPaint(HDC dc, TRect rect) override;

private:
  void PrepareImage();

  TBitmap FTabImage;
  bool FTile = false, FTransparent = false;
  int FFrameCount = 1;
  TMargins FMargins;
  COLORREF FNormalText = 0, FSelectedText = 0;
  TTabScroller FUpDown;
};

} // namespace skin
