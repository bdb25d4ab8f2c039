// Shared pieces of the engine tests.
#pragma once

#include "framework/control.h"
#include "framework/form.h"
#include "recorder/scrcam.h"
#include "tests/windows/support/test_codec.h"

#include <windows.h>

#include <cstdlib>
#include <memory>

namespace engine_tests {

// The colour of a pixel of a captured frame, x and y counted from the top-left.
inline COLORREF FramePixel(const BITMAPINFOHEADER* frame, int x, int y) {
  const BYTE* pixels = reinterpret_cast<const BYTE*>(frame) + frame->biSize + 4 * frame->biClrUsed;
  const int stride = ((frame->biWidth * frame->biBitCount + 31) / 32) * 4;
  const BYTE* row = pixels + static_cast<size_t>(frame->biHeight - 1 - y) * stride;
  switch (frame->biBitCount) {
  case 32:
  case 24: {
    const BYTE* p = row + x * (frame->biBitCount / 8);
    return RGB(p[2], p[1], p[0]);
  }
  case 16: { // 5-5-5
    WORD v = reinterpret_cast<const WORD*>(row)[x];
    auto expand = [](int c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
    return RGB(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
  }
  default: {
    BYTE index = row[x];
    const RGBQUAD* table =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(frame) + frame->biSize);
    return RGB(table[index].rgbRed, table[index].rgbGreen, table[index].rgbBlue);
  }
  }
}

// Colours equal within the precision of a 16-bit screen.
inline bool Near(COLORREF a, COLORREF b, int tolerance = 8) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// A plain control whose bounds name the rectangle to record.
class AreaControl : public fw::TControl {
public:
  AreaControl(int left, int top, int width, int height) : fw::TControl(nullptr) {
    SetBounds(left, top, width, height);
  }
};

// Chooses the test compressor in the engine as the settings dialog would.
inline bool ChooseTestCodec(recorder::TScreenCam& cam) {
  cam.ListCompressors();
  for (int i = 0; i < cam.FCompressorCount; ++i)
    if (cam.FCompressors[static_cast<size_t>(i)].fccHandler == testing_support::kTestCodecHandler) {
      cam.FCompressorIndex = i;
      cam.FCompressorHandler = testing_support::kTestCodecHandler;
      return true;
    }
  return false;
}

} // namespace engine_tests
