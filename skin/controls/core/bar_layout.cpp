#include "skin/controls/core/bar_layout.h"

#include <algorithm>
#include <cstdint>

namespace skin {

// The caption stands this far in from the frame's end.
constexpr int kCaptionIndent = 8;
// How far a buddy up-down stays inside its edit's borders.
constexpr int kEditBorderClearance = 3;

int GroupBoxFrameTop(int textHeight) {
  return textHeight / 2 - 1;
}

TRect GroupBoxCaptionRect(TRect bounds, bool rightAligned) {
  if (rightAligned) return {bounds.Left, bounds.Top, bounds.Right - kCaptionIndent, bounds.Bottom};
  return {bounds.Left + kCaptionIndent, bounds.Top, bounds.Right, bounds.Bottom};
}

ChannelPieces LayoutChannel(int imageLength, int imageThickness, int head, int tail,
                            int channelLength, int channelThickness) {
  ChannelPieces p;
  p.offset = imageThickness < channelThickness ? (channelThickness - imageThickness) / 2 : 0;
  p.headSource = head;
  p.headTarget = head;
  p.middleSourceStart = head;
  p.middleSourceLength = imageLength - head - tail;
  p.middleTargetStart = head;
  p.middleTargetLength = channelLength - head - tail;
  p.tailSourceStart = imageLength - tail;
  p.tailTargetStart = channelLength - tail;
  p.tailLength = tail;
  return p;
}

int ArrowCell(ArrowState state, bool secondButton) {
  return static_cast<int>(state) + (secondButton ? 4 : 0);
}

UpDownHalves SplitUpDown(TRect rect, bool horizontal) {
  UpDownHalves h{rect, rect};
  if (horizontal) {
    h.first.Right = h.second.Left = rect.Left + rect.Width() / 2;
  } else {
    h.first.Bottom = h.second.Top = rect.Top + rect.Height() / 2;
  }
  return h;
}

ArrowState HalfState(bool enabled, bool underCursor, bool pressed, bool hot) {
  if (!enabled) return ArrowState::Disabled;
  if (!underCursor) return ArrowState::Normal;
  if (pressed) return ArrowState::Pressed;
  if (hot) return ArrowState::Hot;
  return ArrowState::Normal;
}

TRect KeepClearOfEditBorder(TRect rect, TRect inParent, int parentWidth, int parentHeight) {
  if (inParent.Top < kEditBorderClearance) rect.Top += kEditBorderClearance - inParent.Top;
  const int below = parentHeight - inParent.Bottom;
  if (below < kEditBorderClearance) rect.Bottom -= kEditBorderClearance - below;
  const int right = parentWidth - inParent.Right;
  if (right < kEditBorderClearance) rect.Right -= kEditBorderClearance - right;
  return rect;
}

int ProgressFill(int width, int position, int lower, int upper) {
  if (upper <= lower || width <= 0) return 0;
  // 64 bits: a range from INT_MIN to INT_MAX still divides.
  const std::int64_t range = static_cast<std::int64_t>(upper) - lower;
  const std::int64_t done = static_cast<std::int64_t>(std::clamp(position, lower, upper)) - lower;
  return static_cast<int>((width * done + range / 2) / range); // rounded, as MulDiv does
}

} // namespace skin
