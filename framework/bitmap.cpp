#include "framework/bitmap.h"

#include "framework/handles.h"

#include <memory>

namespace fw {

namespace {

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // negative: rows top-down, as TBitmap keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

class DibStorage : public PixelStorage {
public:
  DibStorage(int width, int height) {
    const BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    handle_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle_ || !bits) throw EInvalidGraphic("Out of system resources");
    bits_ = static_cast<Pixel*>(bits);
  }
  Pixel* Pixels() override { return bits_; }
  HBITMAP Handle() const { return handle_.get(); }

private:
  UniqueHandle<HBITMAP, detail::DeleteGdiObject> handle_;
  Pixel* bits_ = nullptr;
};

} // namespace

HBITMAP BitmapHandle(TBitmap& bitmap) {
  if (bitmap.Empty()) return nullptr;
  auto* dib = dynamic_cast<DibStorage*>(bitmap.Storage());
  if (!dib) {
    auto storage = std::make_unique<DibStorage>(bitmap.Width(), bitmap.Height());
    dib = storage.get();
    bitmap.ReplaceStorage(std::move(storage));
  }
  return dib->Handle();
}

void DrawBitmap(HDC dc, int x, int y, TBitmap& bitmap) {
  StretchDrawBitmap(dc, {x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap,
                    {0, 0, bitmap.Width(), bitmap.Height()}, COLORONCOLOR);
}

void StretchDrawBitmap(HDC dc, TRect to, TBitmap& bitmap, TRect from, int stretchMode) {
  if (bitmap.Empty()) return;
  MemoryDC source(::CreateCompatibleDC(dc));
  SelectGuard select(source.get(), BitmapHandle(bitmap));
  const int oldMode = ::SetStretchBltMode(dc, stretchMode);
  ::StretchBlt(dc, to.Left, to.Top, to.Width(), to.Height(), source.get(), from.Left, from.Top,
               from.Width(), from.Height(), SRCCOPY);
  ::SetStretchBltMode(dc, oldMode);
}

TBitmap BitmapFromHandle(HBITMAP handle) {
  BITMAP info{};
  if (!handle || !::GetObjectW(handle, sizeof(info), &info)) return {};
  TBitmap result(info.bmWidth, info.bmHeight);
  BITMAPINFO target = TopDown32(info.bmWidth, info.bmHeight);
  WindowDC screen(nullptr);
  if (!::GetDIBits(screen.get(), handle, 0, static_cast<UINT>(info.bmHeight), result.ScanLine(0),
                   &target, DIB_RGB_COLORS)) {
    return {};
  }
  for (int y = 0; y < result.Height(); ++y) // GDI leaves the fourth byte undefined
    for (int x = 0; x < result.Width(); ++x)
      result.At(x, y) &= 0xFFFFFF;
  result.SetPixelFormat(info.bmBitsPixel <= 8    ? TPixelFormat::pf8bit
                        : info.bmBitsPixel <= 16 ? TPixelFormat::pf16bit
                        : info.bmBitsPixel == 24 ? TPixelFormat::pf24bit
                                                 : TPixelFormat::pf32bit);
  return result;
}

TBitmap LoadBitmapResource(HINSTANCE module, const wchar_t* name) {
  Bitmap handle(
      static_cast<HBITMAP>(::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return BitmapFromHandle(handle.get());
}

} // namespace fw
