#include "tests/windows/msvc_codec/video1_test_frames.h"

#include "tests/windows/support/test_support.h"

namespace msvc_codec_tests {

using testing_support::PictureWindow;

TestFrame::TestFrame(int width, int height, int bitsPerPixel, int square) {
  const COLORREF palette[] = {PictureWindow::kTopLeft, PictureWindow::kTopRight,
                              PictureWindow::kBottomLeft, PictureWindow::kBottomRight,
                              RGB(255, 255, 255)};
  const int colours = bitsPerPixel == 8 ? 256 : 0;
  format_.assign(sizeof(BITMAPINFOHEADER) + 4 * colours, 0);
  BITMAPINFOHEADER* h = Header();
  const int stride = ((width * bitsPerPixel + 31) / 32) * 4;
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = width;
  h->biHeight = height;
  h->biPlanes = 1;
  h->biBitCount = static_cast<WORD>(bitsPerPixel);
  h->biCompression = BI_RGB;
  h->biSizeImage = static_cast<DWORD>(stride * height);
  h->biClrUsed = static_cast<DWORD>(colours);
  auto* table = reinterpret_cast<RGBQUAD*>(format_.data() + sizeof(BITMAPINFOHEADER));
  for (int i = 0; i < 5 && colours; ++i)
    table[i] = {GetBValue(palette[i]), GetGValue(palette[i]), GetRValue(palette[i]), 0};

  pixels_.assign(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) { // y counts from the top; rows are stored bottom-up
    BYTE* row = pixels_.data() + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      int index = (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0);
      if (square >= 0 && x >= square && x < square + 8 && y >= square && y < square + 8) index = 4;
      const COLORREF c = palette[index];
      switch (bitsPerPixel) {
      case 8:
        row[x] = static_cast<BYTE>(index);
        break;
      case 16: {
        WORD v = static_cast<WORD>((GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 |
                                   GetBValue(c) >> 3);
        row[2 * x] = static_cast<BYTE>(v);
        row[2 * x + 1] = static_cast<BYTE>(v >> 8);
        break;
      }
      default: {
        BYTE* p = row + x * (bitsPerPixel / 8);
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
        break;
      }
      }
    }
  }
}

} // namespace msvc_codec_tests
