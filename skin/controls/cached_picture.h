// A picture a control skin draws again and again unchanged (a track bar's channel and thumb, an
// up-down's arrow cells, a progress bar at one position): composed once into a prepared image
// (its DIB section and, when it holds magenta, the mask that leaves those pixels out), so that a
// repaint is one blit. A different key (source image, size, frame) composes it again.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/common/skin_paint.h"

#include <windows.h>

namespace skin {

struct TPictureKey {
  const void* source = nullptr; // the element the picture is made from
  int width = 0, height = 0;
  int variant = 0; // a frame, a cell, a filled width: whatever else the picture depends on
  bool operator==(const TPictureKey&) const = default;
};

class TCachedPicture {
public:
  // Whether the picture for `key` is ready to draw.
  bool Holds(const TPictureKey& key) const { return FReady && FKey == key; }
  // A fresh width × height picture for `key` to compose into; Finish when done.
  fw::TBitmap& Start(const TPictureKey& key);
  // `transparent`: magenta pixels are left out when drawing.
  void Finish(bool transparent);
  void Draw(HDC dc, int x, int y) const;
  // Forgets the picture (a new skin).
  void Clear() { FReady = false; }

private:
  TPictureKey FKey;
  fw::TBitmap FComposing;
  TPreparedImage FImage;
  bool FReady = false;
};

} // namespace skin
