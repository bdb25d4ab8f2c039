// TSkinTrackBar: track bars keep their own painting and their ticks; the skin answers the track
// bar's custom-draw notifications and draws the channel (the skin's Track image, TRACKVERT for a
// vertical bar) and the thumb (cell 2 of the Trackbar.ThumbHorz or ThumbVert strip, the same in
// every state). The notification goes to the track bar's parent: our controls' parents hand it
// back through the track bar's window method (CN_NOTIFY); for a bare track bar the skin watches
// the parent's WM_NOTIFY itself and hands it over the same way.
#pragma once

#include "skin/controls/cached_picture.h"
#include "skin/controls/skin_control.h"

#include <commctrl.h>

namespace skin {

class TSkinTrackBar : public TSkinControl {
public:
  void Attached() override;
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;

protected:
  void SkinTaken() override;

private:
  // The answer to one custom-draw stage.
  LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
  void DrawChannel(HDC dc);
  void DrawThumb(HDC dc);
  bool Vertical() const;

  // Window mode: the parent's notifications about this track bar come back to it.
  std::unique_ptr<TWindowSubclass> FParentHook;
  TCachedPicture FChannel, FThumb;
};

} // namespace skin
