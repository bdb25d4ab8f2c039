#include "skin/controls/core/tab_layout.h"

namespace skin {

namespace {

constexpr std::uint32_t kTabsBottom = 0x2;    // TCS_BOTTOM (TCS_RIGHT with TCS_VERTICAL)
constexpr std::uint32_t kTabsVertical = 0x80; // TCS_VERTICAL

} // namespace

TabPosition TabPositionFromStyle(std::uint32_t style) {
  const bool bottom = style & kTabsBottom, vertical = style & kTabsVertical;
  if (vertical) return bottom ? TabPosition::Right : TabPosition::Left;
  return bottom ? TabPosition::Bottom : TabPosition::Top;
}

TRect PageIntoBand(TRect page, TabPosition position) {
  switch (position) {
  case TabPosition::Top:
    ++page.Top;
    break;
  case TabPosition::Bottom:
    --page.Bottom;
    break;
  case TabPosition::Left:
    ++page.Left;
    break;
  case TabPosition::Right:
    --page.Right;
    break;
  }
  return page;
}

TRect TabBand(TRect window, TRect page, TabPosition position) {
  switch (position) {
  case TabPosition::Top:
    return {window.Left, window.Top, window.Right, page.Top};
  case TabPosition::Bottom:
    return {window.Left, page.Bottom, window.Right, window.Bottom};
  case TabPosition::Left:
    return {window.Left, window.Top, page.Left, window.Bottom};
  default:
    return {page.Right, window.Top, window.Right, window.Bottom};
  }
}

TabBufferSize BandBufferSize(TRect band, TabPosition position) {
  if (position == TabPosition::Left || position == TabPosition::Right)
    return {band.Height(), band.Width()};
  return {band.Width(), band.Height()};
}

TRect TabInBuffer(TRect tab, TabPosition position, TRect window, TRect page, TabBufferSize buffer) {
  switch (position) {
  case TabPosition::Top:
    return {tab.Left, tab.Top + 1, tab.Right, tab.Bottom + 1};
  case TabPosition::Bottom:
    return {tab.Left, tab.Top - (page.Bottom + 1), tab.Right, tab.Bottom - (page.Bottom + 1)};
  case TabPosition::Left:
    return {buffer.width - tab.Bottom, tab.Left, buffer.width - tab.Top, tab.Right};
  default:
    return {tab.Top - 1, window.Right - tab.Right, tab.Bottom - 1, window.Right - tab.Left};
  }
}

} // namespace skin

namespace skin {

bool TabSetTabFits(int width, int endMargin, int x, int textWidth, bool scrollerVisible) {
  constexpr int kScrollerRoom = 12;
  return width - endMargin >=
         x + textWidth + kTabSetPadding + (scrollerVisible ? kScrollerRoom : 0);
}

} // namespace skin
