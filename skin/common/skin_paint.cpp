#include "skin/common/skin_paint.h"

#include "framework/bitmap.h"
#include "skin/data/core/region_runs.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace skin {

namespace {

bool Inverted(const TRect& r) {
  return r.Right < r.Left || r.Bottom < r.Top;
}

// A width × height copy that GDI can draw (the framework bitmap moves into a DIB section).
TBitmap Scratch(int width, int height) {
  return TBitmap(width, height, fw::TPixelFormat::pf32bit);
}

// Puts a composed bitmap on the device context at (x, y): keyed on magenta or opaque.
void Put(HDC dc, int x, int y, TBitmap& bitmap, bool transparent) {
  if (bitmap.Empty()) return;
  if (transparent)
    DrawTransparent(dc, {x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap,
                    fw::kMagentaColour);
  else
    fw::DrawBitmap(dc, x, y, bitmap);
}

bool HoldsColour(const TBitmap& image, fw::ColorRef colour) {
  const fw::Pixel key = fw::PixelOf(colour);
  for (int y = 0; y < image.Height(); ++y) {
    const fw::Pixel* row = image.ScanLine(y);
    for (int x = 0; x < image.Width(); ++x)
      if ((row[x] & 0xFFFFFF) == key) return true;
  }
  return false;
}

// A monochrome mask of `image`: white where the image shows `colour`, black elsewhere.
fw::Bitmap MakeMask(const TBitmap& image, int width, int height, fw::ColorRef colour) {
  const int stride = ((width + 15) / 16) * 2; // rows of a monochrome bitmap are WORD-aligned
  std::vector<unsigned char> bits(static_cast<size_t>(stride) * height, 0);
  const fw::Pixel key = fw::PixelOf(colour);
  for (int y = 0; y < height; ++y) {
    const fw::Pixel* row = image.ScanLine(y);
    for (int x = 0; x < width; ++x)
      if ((row[x] & 0xFFFFFF) == key)
        bits[static_cast<size_t>(y) * stride + x / 8] |= 0x80 >> (x % 8);
  }
  return fw::Bitmap(::CreateBitmap(width, height, 1, 1, bits.data()));
}

} // namespace

void DrawTransparent(HDC dc, TRect rect, const TBitmap& image, fw::ColorRef colour) {
  if (Inverted(rect) || image.Empty()) return;
  const int width = std::min(rect.Width(), image.Width());
  const int height = std::min(rect.Height(), image.Height());
  if (width <= 0 || height <= 0) return;
  TBitmap copy = Scratch(image.Width(), image.Height());
  fw::CopyPixels(copy, 0, 0, image, {0, 0, image.Width(), image.Height()});
  fw::Bitmap mask = MakeMask(copy, width, height, colour);
  fw::MemoryDC source(::CreateCompatibleDC(dc));
  fw::SelectGuard select(source.get(), fw::BitmapHandle(copy));
  // Where the mask is white the destination stays (0x00AA0029), elsewhere the image is copied.
  ::MaskBlt(dc, rect.Left, rect.Top, width, height, source.get(), 0, 0, mask.get(), 0, 0,
            MAKEROP4(0x00AA0029, SRCCOPY));
}

TPreparedImage::TPreparedImage(TBitmap picture, bool transparent) : FPicture(std::move(picture)) {
  // A picture without magenta draws opaque: one plain blit.
  if (transparent && HoldsColour(FPicture, fw::kMagentaColour))
    FMask = MakeMask(FPicture, FPicture.Width(), FPicture.Height(), fw::kMagentaColour);
}

void TPreparedImage::Draw(HDC dc, int x, int y) const {
  if (FPicture.Empty()) return;
  fw::MemoryDC source(::CreateCompatibleDC(dc));
  fw::SelectGuard select(source.get(), fw::BitmapHandle(FPicture));
  if (FMask)
    ::MaskBlt(dc, x, y, FPicture.Width(), FPicture.Height(), source.get(), 0, 0, FMask.get(), 0, 0,
              MAKEROP4(0x00AA0029, SRCCOPY)); // where the mask is white the target stays
  else
    ::BitBlt(dc, x, y, FPicture.Width(), FPicture.Height(), source.get(), 0, 0, SRCCOPY);
}

void DrawNineSlice(HDC dc, TRect rect, const TBitmap& image, bool vertical, bool tile,
                   bool transparent, int frameCount, int frame, TMargins margins) {
  if (Inverted(rect)) return;
  TBitmap rendering = RenderNineSlice(rect.Width(), rect.Height(), image, margins, vertical, tile,
                                      frameCount, frame);
  Put(dc, rect.Left, rect.Top, rendering, transparent);
}

void DrawThreeSlice(HDC dc, TRect rect, const TBitmap& image, bool vertical, bool transparent,
                    int frameCount, int frame, TMargins margins) {
  if (Inverted(rect) || rect.Width() == 0 || rect.Height() == 0) return;
  const TRect f = FrameRect(image, vertical, frameCount, frame);
  if (!FrameInImage(image, f)) return;
  const int w = rect.Width(), h = rect.Height();
  const int l = margins.Left, r = margins.Right, middle = f.Width() - l - r;
  TBitmap canvas = Scratch(w, h);
  // Columns that no part covers stay magenta and are left out of the drawing.
  canvas.Fill(fw::kMagentaPixel);
  fw::StretchCopy(canvas, {0, 0, l, h}, image, {f.Left, f.Top, f.Left + l, f.Bottom});
  // Margins that leave no middle would never advance: such an element gets no middle.
  if (middle > 0)
    for (int x = l; x < w - r; x += middle)
      fw::StretchCopy(canvas, {x, 0, x + middle, h}, image,
                      {f.Left + l, f.Top, f.Left + l + middle, f.Bottom});
  fw::StretchCopy(canvas, {w - r, 0, w, h}, image, {f.Right - r, f.Top, f.Right, f.Bottom});
  const bool gap = middle <= 0 && l < w - r;
  Put(dc, rect.Left, rect.Top, canvas, transparent || gap);
}

void DrawFrame(HDC dc, TRect rect, const TBitmap& image, bool transparent, int frameCount,
               int frame) {
  if (Inverted(rect) || rect.Width() == 0 || rect.Height() == 0) return;
  const TRect f = FrameRect(image, false, frameCount, frame);
  if (!FrameInImage(image, f)) return;
  TBitmap canvas = Scratch(rect.Width(), rect.Height());
  fw::StretchCopy(canvas, {0, 0, rect.Width(), rect.Height()}, image, f);
  Put(dc, rect.Left, rect.Top, canvas, transparent);
}

void DrawFrameCentred(HDC dc, TRect rect, const TBitmap& image, bool transparent, int frameCount,
                      int frame) {
  if (Inverted(rect)) return;
  const TRect f = FrameRect(image, false, frameCount, frame);
  if (!FrameInImage(image, f)) return;
  TBitmap canvas = Scratch(f.Width(), f.Height());
  fw::CopyPixels(canvas, 0, 0, image, f);
  Put(dc, rect.Left + (rect.Width() - f.Width()) / 2, rect.Top + (rect.Height() - f.Height()) / 2,
      canvas, transparent);
}

void StretchThreePart(HDC dc, TRect rect, const TBitmap& image, bool vertical, int frameCount,
                      int frame, TMargins margins) {
  if (Inverted(rect) || rect.Width() == 0 || rect.Height() == 0) return;
  const TRect f = FrameRect(image, vertical, frameCount, frame);
  if (!FrameInImage(image, f)) return;
  const int d = rect.Width(), h = rect.Height(), l = margins.Left, r = margins.Right;
  TBitmap canvas = Scratch(d, h);
  if (d < f.Width()) {
    fw::StretchCopy(canvas, {0, 0, d, h}, image, f);
  } else {
    fw::StretchCopy(canvas, {0, 0, l, h}, image, {f.Left, f.Top, f.Left + l, f.Bottom});
    fw::StretchCopy(canvas, {l, 0, d - r, h}, image, {f.Left + l, f.Top, f.Right - r, f.Bottom});
    fw::StretchCopy(canvas, {d - r, 0, d, h}, image, {f.Right - r, f.Top, f.Right, f.Bottom});
  }
  fw::DrawBitmap(dc, rect.Left, rect.Top, canvas);
}

fw::Region RegionFromBitmap(const TBitmap& image, int x, int y, int toleranceBlue,
                            int toleranceGreen, int toleranceRed, fw::ColorRef colour) {
  fw::Region result(::CreateRectRgn(0, 0, 0, 0));
  std::vector<unsigned char> buffer;
  CollectOpaqueRuns(image, x, y, toleranceBlue, toleranceGreen, toleranceRed, colour,
                    [&](const TRegionBatch& batch) {
                      const size_t bytes =
                          sizeof(RGNDATAHEADER) + batch.rects.size() * sizeof(RECT);
                      buffer.assign(bytes, 0);
                      auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
                      data->rdh.dwSize = sizeof(RGNDATAHEADER);
                      data->rdh.iType = RDH_RECTANGLES;
                      data->rdh.nCount = static_cast<DWORD>(batch.rects.size());
                      data->rdh.nRgnSize = static_cast<DWORD>(batch.rects.size() * sizeof(RECT));
                      data->rdh.rcBound = {batch.bounds.Left + x, batch.bounds.Top + y,
                                           batch.bounds.Right + x, batch.bounds.Bottom + y};
                      auto* rects = reinterpret_cast<RECT*>(data->Buffer);
                      for (size_t i = 0; i < batch.rects.size(); ++i) {
                        const TRect& r = batch.rects[i];
                        rects[i] = fw::ToRECT(r);
                      }
                      fw::Region part(::ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data));
                      if (part) ::CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
                    });
  return result;
}

// (0, 0) of the DC is the top-left corner of the control's window, border included, and the whole
// window's area is painted. The parent paints through WM_ERASEBKGND and WM_PRINTCLIENT, so its
// update region on the screen stays as it was.
void PaintParentInto(HWND control, HDC dc) {
  // GetParent names a top-level window's owner: only a child window has a parent to show.
  HWND parent = (::GetWindowLongW(control, GWL_STYLE) & WS_CHILD) ? ::GetParent(control) : nullptr;
  if (!parent) return;
  // The control's place in its parent's client area: (0, 0) of the DC is the control's top-left.
  RECT place;
  ::GetWindowRect(control, &place);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  const int saved = ::SaveDC(dc);
  POINT origin;
  ::OffsetViewportOrgEx(dc, -place.left, -place.top, &origin);
  // Pattern brushes line up with the parent's client area as they do on the screen.
  ::SetBrushOrgEx(dc, origin.x - place.left, origin.y - place.top, nullptr);
  ::IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
  // WM_PRINTCLIENT, unlike WM_PAINT, makes every window class paint into the DC it is given
  // and leaves the parent's own update region alone.
  ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::RestoreDC(dc, saved);
}

} // namespace skin
