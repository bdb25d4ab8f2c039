#include "skin/data/core/nine_slice.h"

#include <algorithm>

namespace skin {

TRect FrameRect(const TBitmap& image, bool vertical, int frameCount, int frame) {
  const int n = std::max(frameCount, 1);
  if (vertical) {
    const int fh = image.Height() / n;
    return {0, fh * (frame - 1), image.Width(), fh * frame};
  }
  const int fw = image.Width() / n;
  return {fw * (frame - 1), 0, fw * frame, image.Height()};
}

bool FrameInImage(const TBitmap& image, const TRect& frame) {
  return frame.Width() > 0 && frame.Height() > 0 && frame.Left >= 0 && frame.Top >= 0 &&
         frame.Right <= image.Width() && frame.Bottom <= image.Height();
}

TBitmap RenderNineSlice(int width, int height, const TBitmap& image, TMargins m, bool vertical,
                        bool tile, int frameCount, int frame) {
  const TRect f = FrameRect(image, vertical, frameCount, frame);
  // A black rendering would cover what lies behind: nothing to draw gives an empty bitmap.
  if (width <= 0 || height <= 0 || !FrameInImage(image, f)) return TBitmap();
  TBitmap result(width, height);
  const int x0 = f.Left, y0 = f.Top, fw = f.Width(), fh = f.Height();
  const int W = width, H = height;
  int L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
  if (W < L + R) L = R = 0;
  if (H < T + B) T = B = 0;

  auto copy = [&](TRect to, TRect from) { fw::StretchCopy(result, to, image, from); };
  if (L * T > 0) copy({0, 0, L, T}, {x0, y0, x0 + L, y0 + T});
  if (L * B > 0) copy({0, H - B, L, H}, {x0, y0 + fh - B, x0 + L, y0 + fh});
  if (R * T > 0) copy({W - R, 0, W, T}, {x0 + fw - R, y0, x0 + fw, y0 + T});
  if (L > 0) copy({0, T, L, H - B}, {x0, y0 + T, x0 + L, y0 + fh - B});
  if (T > 0) copy({L, 0, W - R, T}, {x0 + L, y0, x0 + fw - R, y0 + T});
  const TRect middle{L, T, W - R, H - B};
  const TRect middleSource{x0 + L, y0 + T, x0 + fw - R, y0 + fh - B};
  if (tile) {
    TileBitmap(result, middle, image, middleSource);
  } else {
    copy(middle, middleSource);
  }
  // Drawn after the middle: they cover the tiles that ran past it.
  if (R * B > 0) copy({W - R, H - B, W, H}, {x0 + fw - R, y0 + fh - B, x0 + fw, y0 + fh});
  if (R > 0) copy({W - R, T, W, H - B}, {x0 + fw - R, y0 + T, x0 + fw, y0 + fh - B});
  if (B > 0) copy({L, H - B, W - R, H}, {x0 + L, y0 + fh - B, x0 + fw - R, y0 + fh});
  return result;
}

void TileBitmap(TBitmap& canvas, TRect target, const TBitmap& image, TRect source) {
  const int w = source.Width(), h = source.Height();
  if (w <= 0 || h <= 0) return;
  TBitmap tileImage(w, h);
  fw::CopyPixels(tileImage, 0, 0, image, source);
  for (int x = target.Left; x < target.Right; x += w) {
    for (int y = target.Top; y < target.Bottom; y += h) {
      fw::CopyPixels(canvas, x, y, tileImage, {0, 0, w, h});
    }
  }
}

void DrawNineSliceOnto(TBitmap& canvas, TRect rect, const TBitmap& image, bool vertical, bool tile,
                       bool transparent, int frameCount, int frame, TMargins margins) {
  if (rect.Right < rect.Left || rect.Bottom < rect.Top) return;
  const TBitmap rendering = RenderNineSlice(rect.Width(), rect.Height(), image, margins, vertical,
                                            tile, frameCount, frame);
  if (rendering.Empty()) return;
  if (transparent) {
    fw::DrawTransparent(canvas, rect.Left, rect.Top, rect.Width(), rect.Height(), rendering,
                        fw::kMagentaPixel);
  } else {
    fw::CopyPixels(canvas, rect.Left, rect.Top, rendering, {0, 0, rect.Width(), rect.Height()});
  }
}

} // namespace skin
