// Skin elements drawn into device contexts: every painter of the window and control skins puts
// its pixels on the screen through these routines. Each composes off-screen (in a framework
// bitmap) and reaches the device context in one blit. An empty image, or a frame that is not in
// the image, draws nothing at all.
#pragma once

#include "framework/core/bitmap.h"
#include "framework/handles.h"
#include "skin/data/core/nine_slice.h"

#include <windows.h>

namespace skin {

// Nine-part drawing of frame `frame` of `frameCount` into `rect`; keyed on magenta when
// transparent. Nothing for an inverted rectangle.
void DrawNineSlice(HDC dc, TRect rect, const TBitmap& image, bool vertical, bool tile,
                   bool transparent, int frameCount, int frame, TMargins margins);

// Left part, tiled middle and right part of a frame (side by side), each stretched to the
// rectangle's height. An element whose margins leave no middle gets no middle: the target shows
// through between its ends.
void DrawThreeSlice(HDC dc, TRect rect, const TBitmap& image, bool vertical, bool transparent,
                    int frameCount, int frame, TMargins margins);

// Frame `frame` of a strip of side-by-side frames, stretched to the rectangle.
void DrawFrame(HDC dc, TRect rect, const TBitmap& image, bool transparent, int frameCount,
               int frame);

// Frame `frame` of a strip, unscaled, centred in the rectangle.
void DrawFrameCentred(HDC dc, TRect rect, const TBitmap& image, bool transparent, int frameCount,
                      int frame);

// Left, middle and right columns of a frame stretched straight into the rectangle; the whole
// frame when the rectangle is narrower than it.
void StretchThreePart(HDC dc, TRect rect, const TBitmap& image, bool vertical, int frameCount,
                      int frame, TMargins margins);

// The top-left part of `image` of the rectangle's size, leaving the target where the image has
// `colour` (a MaskBlt through the image's monochrome mask).
void DrawTransparent(HDC dc, TRect rect, const TBitmap& image, fw::ColorRef colour);

// The region of every pixel of `image` that is not within the tolerances above `colour`, moved by
// (x, y). The caller owns it.
fw::Region RegionFromBitmap(const TBitmap& image, int x, int y, int toleranceBlue,
                            int toleranceGreen, int toleranceRed, fw::ColorRef colour);

// A picture prepared once and drawn many times: its pixels in a DIB section and, when it is
// keyed on magenta, its mask, so that a draw is one blit.
class TPreparedImage {
public:
  TPreparedImage() = default;
  TPreparedImage(TBitmap picture, bool transparent);
  bool Empty() const { return FPicture.Empty(); }
  int Width() const { return FPicture.Width(); }
  int Height() const { return FPicture.Height(); }
  void Draw(HDC dc, int x, int y) const;

private:
  mutable TBitmap FPicture;
  fw::Bitmap FMask; // white where the picture shows magenta; null when opaque
};

// Paints the parent of `control` into `dc` as it shows behind the control (its background and
// its own painting), for controls drawn as if transparent.
void PaintParentInto(HWND control, HDC dc);

} // namespace skin
