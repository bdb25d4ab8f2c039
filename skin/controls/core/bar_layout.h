// Where the skins of group boxes, track bars, up-downs and progress bars put their pieces: the
// group box's frame line and caption, the track bar's channel pieces, the up-down's two halves
// and the cells they show, and the filled share of a progress bar. Plain arithmetic on sizes the
// system measured.
#pragma once

#include "skin/controls/core/control_layout.h"

namespace skin {

// --- Group boxes

// The row of the rounded frame: half the caption font's text height, less one (integer halves),
// so that the caption cuts the line through its middle.
int GroupBoxFrameTop(int textHeight);

// The rectangle the caption is drawn in: 8 pixels in from the left, or from the right for a
// right-aligned caption (WS_EX_RIGHT).
TRect GroupBoxCaptionRect(TRect bounds, bool rightAligned);

// --- Track bars

// A channel image's three pieces along its length: the fixed `head` and `tail` of the image and
// the stretched middle, placed into a channel `length` long. `offset` centres an image thinner
// than the channel across it (0 when it is as thick or thicker).
struct ChannelPieces {
  int offset = 0;
  // Source spans in the image and target spans in the channel, along its length.
  int headSource = 0, headTarget = 0;
  int middleSourceStart = 0, middleSourceLength = 0, middleTargetStart = 0, middleTargetLength = 0;
  int tailSourceStart = 0, tailTargetStart = 0, tailLength = 0;
};
ChannelPieces LayoutChannel(int imageLength, int imageThickness, int head, int tail,
                            int channelLength, int channelThickness);

// The thumb's cell of a 5-cell strip: the same cell whatever the thumb's state, so the thumb
// looks alike resting, hot, dragged and disabled.
inline constexpr int kTrackThumbCells = 5;
inline constexpr int kTrackThumbCell = 2;

// --- Up-downs

// Arrow-button states, and the cell of a strip of 8 that a button shows: the state for the
// first button of the pair (up or left), the state + 4 for the second (down or right).
enum class ArrowState { Normal = 1, Pressed = 2, Disabled = 3, Hot = 4 };
int ArrowCell(ArrowState state, bool secondButton);

struct UpDownHalves {
  TRect first, second; // up / left, down / right
};
// Side by side when `horizontal`, else one above the other; the first half takes the smaller
// share of an odd size.
UpDownHalves SplitUpDown(TRect rect, bool horizontal);

// The state of one half: disabled controls show every half disabled; the half under the cursor
// shows pressed, else hot, else normal; the other half normal.
ArrowState HalfState(bool enabled, bool underCursor, bool pressed, bool hot);

// An up-down that is the buddy of a skinned edit keeps 3 pixels clear of the edit's borders:
// `rect` (the up-down at 0, 0) shrinks where the up-down (`inParent`, in the parent's window
// coordinates) comes closer than that to the parent's top, bottom or right edge.
TRect KeepClearOfEditBorder(TRect rect, TRect inParent, int parentWidth, int parentHeight);

// --- Progress bars

// The filled width of a bar `width` wide at `position` in lower..upper: the position's share of
// the range, 0 for an empty or reversed range, clamped to 0..width (a range below zero, such as
// −100..100, fills like any other).
int ProgressFill(int width, int position, int lower, int upper);

} // namespace skin
