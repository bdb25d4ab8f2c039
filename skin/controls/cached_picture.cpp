#include "skin/controls/cached_picture.h"

namespace skin {

fw::TBitmap& TCachedPicture::Start(const TPictureKey& key) {
  FKey = key;
  FReady = false;
  FComposing = fw::TBitmap(key.width, key.height, fw::TPixelFormat::pf32bit);
  return FComposing;
}

void TCachedPicture::Finish(bool transparent) {
  FImage = TPreparedImage(std::move(FComposing), transparent);
  FReady = true;
}

void TCachedPicture::Draw(HDC dc, int x, int y) const {
  if (FReady) FImage.Draw(dc, x, y);
}

} // namespace skin
