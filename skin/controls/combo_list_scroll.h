// TComboxScrollBar: the scroll bar of a combo box's drop-down list, painted straight into the
// list window's non-client area (no overlay: the list is a pop-up over everything). Arrows and
// paging stay the system's; a press on the thumb is dragged by this skin's own loop, which waits
// for messages, follows the mouse, and ends on the button's release, on Escape (back where the
// drag began), when the list loses the mouse capture or closes, or on WM_QUIT (posted again for
// the caller's loop).
#pragma once

#include "skin/controls/scroll_bar.h"

namespace skin {

// How a thumb drag ended.
enum class ThumbDragEnd { Released, Escape, CaptureLost, ListClosed, Quit };

class TComboxScrollBar : public TSkinControl {
public:
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  // How the last thumb drag ended.
  ThumbDragEnd LastDragEnd() const { return FLastEnd; }

private:
  // A press at `screen` on the thumb of the vertical bar is dragged here; false: not on the thumb.
  bool ThumbDrag(POINT screen);
  void ScrollTo(WORD code, int pos);

  TPaintBuffer FBarBuffer;
  ThumbDragEnd FLastEnd = ThumbDragEnd::Released;
};

} // namespace skin
