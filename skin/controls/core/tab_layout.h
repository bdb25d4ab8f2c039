// Where a tab control skin draws: the side the tabs are on (from the window style), the band of
// tabs outside the page, and each tab's rectangle in the band's buffer, which is laid out as if
// the tabs were on top (and turned into place afterwards for tabs on the left or right).
#pragma once

#include "framework/core/bitmap.h"

#include <cstdint>

namespace skin {

using fw::TRect;

enum class TabPosition { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// TCS_BOTTOM (2) and TCS_VERTICAL (0x80): bottom alone, vertical alone (left), both (right).
TabPosition TabPositionFromStyle(std::uint32_t style);

// The page rectangle (the display rectangle inflated by 4) moved one pixel into the band.
TRect PageIntoBand(TRect page, TabPosition position);

// The part of `window` outside `page` on the tabs' side.
TRect TabBand(TRect window, TRect page, TabPosition position);

// Width and height of the band laid out horizontally.
struct TabBufferSize {
  int width = 0, height = 0;
};
TabBufferSize BandBufferSize(TRect band, TabPosition position);

// A tab's rectangle `tab` (window coordinates) in the horizontal band buffer.
TRect TabInBuffer(TRect tab, TabPosition position, TRect window, TRect page, TabBufferSize buffer);

} // namespace skin

namespace skin {

// Whether a tab set's tab with text `textWidth` wide, starting at `x`, fits before the end
// margin; the scroller, while visible, takes room of its own. Tabs that do not fit are left out.
bool TabSetTabFits(int width, int endMargin, int x, int textWidth, bool scrollerVisible);
// The width of a tab set's tab around its text.
inline constexpr int kTabSetPadding = 9;

} // namespace skin
