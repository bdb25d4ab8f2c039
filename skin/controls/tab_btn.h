// TSkinTabBtn: tab controls in button style (TCS_BUTTONS): each tab is painted as a push button
// of the skin's Buttons element (frame 2 for the focused tab, frame 1 for the others) with its
// image and text, over the face colour of the band. The tab control draws no page frame in this
// style: the rest of the window is filled with the face colour too.
#pragma once

#include "skin/controls/tab.h"

namespace skin {

class TSkinTabBtn : public TSkinTab {
public:
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  // Without a Buttons image the control paints itself.
  bool PaintsWhole() const override;
};

} // namespace skin
