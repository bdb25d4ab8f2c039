#include "framework/image_list.h"

namespace fw {

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), handle_(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4)),
      width_(width), height_(height) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

int TImageList::Count() const {
  return handle_ ? ImageList_GetImageCount(handle_) : 0;
}

int TImageList::AddMasked(TBitmap& strip, ColorRef maskColour) {
  HBITMAP bitmap = BitmapHandle(strip);
  if (!handle_ || !bitmap) return -1;
  return ImageList_AddMasked(handle_, bitmap, maskColour);
}

} // namespace fw
