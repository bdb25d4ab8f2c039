// TSkinGroupBox: group boxes of our forms painted whole by the skin: the face colour, a rounded
// frame in the skin's shadow colour through the middle of the caption's height, and the caption
// on the face colour 8 pixels in from the left (from the right for WS_EX_RIGHT). The statics
// inside (labels, and track bars asking for their background) get the face colour too. A bare
// group-box window paints itself and gets the skin's frame drawn over its own.
#pragma once

#include "skin/controls/box.h"

namespace skin {

class TSkinGroupBox : public TSkinControl {
public:
  void Attached() override;
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void SkinChanged(const TControlSkinSource& skinData) override;

protected:
  // One of our group boxes is painted whole; a bare window paints itself and gets the frame
  // drawn over it.
  void DoPaint(HDC dc, TRect rect) override;
  void DrawOver(HDC dc, TRect rect) override;

private:
  // Frame and caption; `whole`: on a fresh face, else over the system's painting.
  void DrawFrameAndCaption(HDC dc, TRect rect, bool whole);

  TFaceBrush FFaceBrush;
};

} // namespace skin
