// Bitmap routines shared by the skin loader and the painters: recolouring magenta, mirroring,
// flipping, rotating, the embossed grey of disabled glyphs, and copying. They work on 24-bit
// images; a routine that converts says so.
#pragma once

#include "framework/core/bitmap.h"

namespace skin {

using fw::Pixel;
using fw::TBitmap;
using TColor = fw::ColorRef;

// Converts to 24 bits; every pixel exactly (255, 0, 255) becomes `colour` (a plain RGB colour;
// system colours are resolved by the caller).
void ReplaceMagenta(TBitmap& bitmap, TColor colour);

// Each row in reverse order.
void MirrorHorizontal(TBitmap& bitmap);

// Row i becomes row (height - 1 - i).
void FlipVertical(TBitmap& bitmap);

// 90° counter-clockwise: pixel (x, y) of a W × H image goes to column y, row W - 1 - x; the
// result is H × W and 24-bit.
void RotateLeft(TBitmap& bitmap);

// 90° clockwise: pixel (x, y) goes to column H - 1 - y, row x.
void RotateRight(TBitmap& bitmap);

// The colours a disabled glyph is drawn with (the system's button colours where the program
// runs on Windows).
struct TDisabledColours {
  TColor face = 0xC0C0C0;
  TColor highlight = 0xFFFFFF;
  TColor shadow = 0x808080;
};

// A new image of the source's size: button face everywhere, and the glyph's shape (its dark
// pixels: luminance below one half, magenta excluded) embossed: first in the highlight colour
// one pixel down and right, then in the shadow colour in place.
TBitmap DisabledImage(const TBitmap& source, const TDisabledColours& colours = {});

// `target` becomes a copy of `source`: size, pixel format and pixels.
void CopyBitmap(const TBitmap& source, TBitmap& target);

} // namespace skin
