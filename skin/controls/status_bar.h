// TSkinStatusBar: status bars (our framework's, with panels, and bare status windows) painted
// from the skin's StatusBarEdges element (lowered, raised and flat panel faces, and the status
// text colour) with the panels' texts, and the size grip from the ExtraImages element. Without
// StatusBarEdges the panels get one-pixel 3D frames in the system's colours. All status bar
// skins compose their paints in one buffer that the program keeps for them.
#pragma once

#include "skin/controls/core/status_layout.h"
#include "skin/controls/skin_control.h"

#include <string>
#include <vector>

namespace skin {

class TSkinStatusBar : public TSkinControl {
public:
  TSkinStatusBar() { FPaintMode = TPaintMode::Whole; }
  void DrawSkin(HDC dc, TRect rect) override;

private:
  struct Panel {
    std::wstring text;
    PanelAlignment alignment = PanelAlignment::Left;
    PanelBevel bevel = PanelBevel::Lowered;
    bool ownerDraw = false;
    bool rightToLeft = false;
  };
  std::vector<Panel> ReadPanels() const;
  bool Simple() const;
  std::wstring SimpleText() const;
  const TDataSkinObject* Edges() const;
  void DrawPanelFace(HDC dc, TRect rect, int frame);
  void DrawOwnerPanels();
};

} // namespace skin
