#include "skin/controls/cached_picture.h"

namespace skin {

fw::TBitmap& TCachedPicture::Start(const TPictureKey& key) {
  key_ = key;
  ready_ = false;
  composing_ = fw::TBitmap(key.width, key.height, fw::TPixelFormat::pf32bit);
  return composing_;
}

void TCachedPicture::Finish(bool transparent) {
  image_ = TPreparedImage(std::move(composing_), transparent);
  ready_ = true;
}

void TCachedPicture::Draw(HDC dc, int x, int y) const {
  if (ready_) image_.Draw(dc, x, y);
}

} // namespace skin
