// The framework bitmap on Windows: the portable pixel bitmap (framework/core/bitmap.h) whose
// pixels live in a 32-bit top-down DIB section once GDI needs them, so GDI and portable code
// work on the same memory; drawing bitmaps into device contexts; reading GDI bitmaps.
#pragma once

#include "framework/core/bitmap.h"

#include <windows.h>

namespace fw {

// A rectangle as GDI takes it, and back.
inline RECT ToRECT(const TRect& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}
inline TRect ToTRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// The DIB section holding `bitmap`'s pixels (moved into one on first use); null for an empty
// bitmap. The handle stays the bitmap's: do not delete it. After GDI drew into it, call
// GdiFlush() before reading pixels.
HBITMAP BitmapHandle(TBitmap& bitmap);

// BitBlt (SRCCOPY) of the whole bitmap to (x, y).
void DrawBitmap(HDC dc, int x, int y, TBitmap& bitmap);

// StretchBlt (SRCCOPY) of part `from` onto `to` in the given stretch mode.
void StretchDrawBitmap(HDC dc, TRect to, TBitmap& bitmap, TRect from, int stretchMode);

// Runs `draw` with a memory device context that has `bitmap` selected, then flushes GDI so that
// the pixels can be read.
template <class Draw> void DrawInto(TBitmap& bitmap, Draw&& draw) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, BitmapHandle(bitmap));
  draw(dc);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::GdiFlush();
}

// A copy of a GDI bitmap's pixels (any depth); empty when the handle is not a bitmap.
TBitmap BitmapFromHandle(HBITMAP handle);

// A bitmap resource of the module by name; empty when the module has none of that name.
TBitmap LoadBitmapResource(HINSTANCE module, const wchar_t* name);

} // namespace fw
