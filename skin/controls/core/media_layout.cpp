#include "skin/controls/core/media_layout.h"

#include <bit>

namespace skin {

int VisibleMediaButtons(unsigned visible) {
  return std::popcount(visible & ((1u << kMediaButtons) - 1));
}

int MediaButtonAt(unsigned visible, int buttonWidth, int x) {
  int left = 0;
  for (int i = 0; i < kMediaButtons; ++i) {
    if (!(visible & (1u << i))) continue;
    if (x >= left && x <= left + buttonWidth) return i;
    left += buttonWidth;
  }
  return kNoMediaButton;
}

int MediaButtonFace(bool enabled, bool trackingThis) {
  if (!enabled) return 3;
  return trackingThis ? 2 : 1;
}

int MediaGlyphState(bool enabled, bool coloured) {
  if (!enabled) return 1;
  return coloured ? 2 : 0;
}

} // namespace skin
