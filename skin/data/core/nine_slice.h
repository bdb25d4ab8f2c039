// Turning a skin element image into pixels: which part of the image is frame F of N, and the
// nine-part drawing of a frame into a rectangle with fixed corners and edges and a stretched or
// tiled middle. All stretching is nearest-neighbour (GDI's COLORONCOLOR).
#pragma once

#include "framework/core/bitmap.h"

namespace skin {

using fw::TBitmap;
using fw::TRect;

// Widths of the fixed left and right parts and heights of the fixed top and bottom parts.
struct TMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Frame `frame` (1-based) of an image holding `frameCount` equal frames stacked (vertical) or
// side by side. A frame count below 1 counts as 1, so a damaged skin never divides by zero.
TRect FrameRect(const TBitmap& image, bool vertical, int frameCount, int frame);

// Whether `frame` (a FrameRect) is a non-empty part of `image`: an empty image, a strip too small
// for its frame count and a frame number past the strip have nothing to draw.
bool FrameInImage(const TBitmap& image, const TRect& frame);

// A width × height rendering of the frame: corners and edges copied to their places (stretched
// along the edge), the middle stretched or, with `tile`, tiled. When the target is narrower than
// both side parts, they are dropped and the whole width is stretched; the same for the height.
// An empty image or target, or a frame outside the image, gives an empty bitmap: nothing to draw.
TBitmap RenderNineSlice(int width, int height, const TBitmap& image, TMargins margins,
                        bool vertical, bool tile, int frameCount, int frame);

// Repeats the `source` part of `image` over `target` of `canvas`, starting at its top-left
// corner; the last row and column of tiles run past `target` (callers cover the overflow).
// Nothing for an empty source part.
void TileBitmap(TBitmap& canvas, TRect target, const TBitmap& image, TRect source);

// The rendering placed at (rect.Left, rect.Top) of `canvas`, keyed on magenta when
// `transparent`; nothing for an inverted rectangle.
void DrawNineSliceOnto(TBitmap& canvas, TRect rect, const TBitmap& image, bool vertical, bool tile,
                       bool transparent, int frameCount, int frame, TMargins margins);

} // namespace skin
