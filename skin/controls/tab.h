// TSkinTab: tab controls (bare "SysTabControl32" windows of system dialogs, and tab controls of
// the "tab" kind) painted from the skin's Tabs element: the band of tabs (frame 2 for the focused
// tab, frame 1 for the others) and the page frame from the pane image. The band is composed as if
// the tabs were on top and turned into place for tabs on the left or right; bottom tabs use the
// images flipped top to bottom, so that the open side of a tab faces the page. Our tab controls
// with Tag 7777 and CloseButtons set get a close mark on each top or bottom tab; pressing it asks
// the window with SM_TABCLOSE and removes the tab unless the answer is non-zero.
#pragma once

#include "skin/controls/core/tab_layout.h"
#include "skin/controls/skin_control.h"

#include <vector>

namespace skin {

class TSkinTab : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinTab"; }

  void AttachControl(fw::TWinControl& control, TWinSkinForm* skinForm,
                     const TControlSkinSource& skinData, bool setColor,
                     fw::TCanvas* canvas) override;
  void AttachWindow(HWND handle, const TControlSkinSource& skinData, TWinSkinForm* skinForm,
                    fw::TCanvas* canvas) override;
  bool BeforeMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;
  void SkinChanged(const TControlSkinSource& skinData) override;

private:
  void PrepareImages();
  const TDataSkinBorder* Tabs() const;
  void DrawBand(HDC dc, TRect rect, TRect page);
  std::wstring TabText(int index) const;
  // A press on a tab's close mark asks the window's owner, then removes the tab unless it said
  // no. True when the press was on a close mark.
  bool CloseTabAt(int x, int y);

  TabPosition FTabPosition = TabPosition::Top;
  TBitmap FTabImage;
  TBitmap FPaneImage;
  bool FTabUnicode = false;
  bool FCloseButtons = false;
  std::vector<TRect> FCloseRects; // window coordinates, one per tab (empty: none)
};

} // namespace skin
