// TSkinTab: tab controls (bare "SysTabControl32" windows of system dialogs, and tab controls of
// the "tab" kind) painted from the skin's Tabs element: the band of tabs (frame 2 for the focused
// tab, frame 1 for the others) and the page frame from the pane image. The band is composed as if
// the tabs were on top and turned into place for tabs on the left or right; bottom tabs use the
// images flipped top to bottom, so that the open side of a tab faces the page. Our tab controls
// with Tag 7777 and CloseButtons set get a close mark on each top or bottom tab; pressing it asks
// the window with SM_TABCLOSE and removes the tab unless the answer is non-zero. Each tab shows
// its image of the control's image list before its text. When the tabs do not fit on one line
// the control's scroller (its up-down child) gets a skin of its own, and the band leaves it be.
// Under a skin without a Tabs image the control paints itself. What a paint needs of the skin is
// taken when the images are prepared (at the start and at each skin change, before the repaint),
// so no paint reads an element the skin no longer has.
#pragma once

#include "skin/controls/core/tab_layout.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/up_down.h"

#include <vector>

namespace skin {

class TSkinTab : public TSkinControl {
public:
  TSkinTab() { FPaintMode = TPaintMode::Whole; }

  void Attached() override;
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  void SkinTaken() override;
  // The skin paints the control only when it has the pictures for it.
  bool PaintsWhole() const override { return !FTabImage.Empty() || !FPaneImage.Empty(); }
  // The control erases its own background under the skin's paint.
  TMessageAnswer EraseBackground(fw::TMessage& /*message*/) override {
    return TMessageAnswer::PassOn;
  }
  struct TTabItem {
    std::wstring text;
    int image = -1;
  };
  TTabItem TabItem(int index) const;
  // The scroller of tabs that do not fit gets its skin; true when the scroller is showing.
  bool FindUpDown();
  // Copies a band composed off screen to (x, y) of `dc`, leaving out the scroller (and any
  // other child window over it).
  void CopyBand(HDC dc, int x, int y, TBitmap& band) const;
  // Keeps later drawing on `dc` off the visible child windows.
  void ExcludeChildWindows(HDC dc) const;

private:
  // What the band and the pane are drawn with, from the skin's Tabs and Tab.Pane elements.
  struct TTabLook {
    bool tile = false, transparent = false;
    int frameCount = 1;
    TMargins margins, paneMargins;
    COLORREF normalText = 0, focusedText = 0;
  };
  void PrepareImages();
  const TDataSkinBorder* Tabs() const;
  void DrawBand(HDC dc, TRect rect, TRect page);
  // A press on a tab's close mark asks the window's owner, then removes the tab unless it said
  // no. True when the press was on a close mark.
  bool CloseTabAt(int x, int y);

  TabPosition FTabPosition = TabPosition::Top;
  TBitmap FTabImage;
  TBitmap FPaneImage;
  TTabLook FLook;
  bool FCloseButtons = false;
  std::vector<TRect> FCloseRects; // window coordinates, one per tab (empty: none)
  TTabScroller FUpDown;
};

} // namespace skin
