// The image list: a row of equally sized images (the system's image list, owned), from which
// buttons, tabs and menus draw one image by index. Images are added from bitmaps whose
// transparent parts are in one mask colour.
#pragma once

#include "framework/bitmap.h"
#include "framework/component.h"

#include <commctrl.h>

namespace fw {

class TImageList : public TComponent {
public:
  TImageList(TComponent* owner, int width, int height);
  ~TImageList() override;
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;
  std::wstring ClassName() const override { return L"TImageList"; }

  HIMAGELIST Handle() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;
  // Adds the images side by side in `strip` (its width a multiple of Width()); pixels of
  // `maskColour` stay transparent. Answers the index of the first one added, -1 on failure.
  int AddMasked(TBitmap& strip, ColorRef maskColour);

private:
  HIMAGELIST handle_;
  int width_, height_;
};

} // namespace fw
