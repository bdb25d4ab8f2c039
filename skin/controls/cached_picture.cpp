#include "skin/controls/cached_picture.h"

#include "framework/bitmap.h"

namespace skin {

namespace {

// Where the mask is white the destination stays, elsewhere the picture is copied.
constexpr DWORD kKeepDestination = 0x00AA0029;

bool HasMagenta(const fw::TBitmap& picture) {
  for (int y = 0; y < picture.Height(); ++y) {
    const fw::Pixel* row = picture.ScanLine(y);
    for (int x = 0; x < picture.Width(); ++x)
      if ((row[x] & 0xFFFFFF) == fw::kMagentaPixel) return true;
  }
  return false;
}

} // namespace

fw::TBitmap& TCachedPicture::Start(const TPictureKey& key) {
  key_ = key;
  ready_ = false;
  mask_.reset();
  picture_ = fw::TBitmap(key.width, key.height, fw::TPixelFormat::pf32bit);
  return picture_;
}

void TCachedPicture::Finish(bool transparent) {
  ready_ = true;
  if (!transparent || picture_.Empty() || !HasMagenta(picture_)) return;
  // A monochrome copy made against a magenta background is white exactly where magenta was.
  mask_.reset(::CreateBitmap(picture_.Width(), picture_.Height(), 1, 1, nullptr));
  fw::MemoryDC source(::CreateCompatibleDC(nullptr)), target(::CreateCompatibleDC(nullptr));
  fw::SelectGuard picture(source.get(), fw::BitmapHandle(picture_));
  fw::SelectGuard mask(target.get(), mask_.get());
  ::SetBkColor(source.get(), fw::kMagentaColour);
  ::BitBlt(target.get(), 0, 0, picture_.Width(), picture_.Height(), source.get(), 0, 0, SRCCOPY);
}

void TCachedPicture::Draw(HDC dc, int x, int y) {
  if (!ready_ || picture_.Empty()) return;
  if (!mask_) {
    fw::DrawBitmap(dc, x, y, picture_);
    return;
  }
  fw::MemoryDC source(::CreateCompatibleDC(dc));
  fw::SelectGuard select(source.get(), fw::BitmapHandle(picture_));
  ::MaskBlt(dc, x, y, picture_.Width(), picture_.Height(), source.get(), 0, 0, mask_.get(), 0, 0,
            MAKEROP4(kKeepDestination, SRCCOPY));
}

} // namespace skin
