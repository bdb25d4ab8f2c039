#include "skin/controls/core/status_layout.h"

#include "skin/controls/core/control_layout.h"

namespace skin {

constexpr int kPanelOverlap = 2;
constexpr int kGripInset = 1;

int StatusPanelFrame(PanelBevel bevel) {
  switch (bevel) {
  case PanelBevel::Raised:
    return 2;
  case PanelBevel::None:
    return 3;
  default:
    return 1;
  }
}

unsigned StatusPanelTextFlags(PanelAlignment alignment, bool rightToLeft) {
  switch (alignment) {
  case PanelAlignment::Centre:
    return kDtCenter;
  case PanelAlignment::Right:
    return rightToLeft ? kDtLeft : kDtRight;
  default:
    return rightToLeft ? kDtRight : kDtLeft;
  }
}

TRect StatusPanelFace(TRect panel, bool last, int barRight) {
  panel.Right = last ? barRight : panel.Right + kPanelOverlap;
  return panel;
}

TRect SizeGripSquare(TRect bar) {
  const int right = bar.Right - kGripInset, bottom = bar.Bottom - kGripInset;
  const int side = bar.Height() - 2 * kGripInset;
  return {right - side, bottom - side, right, bottom};
}

} // namespace skin

namespace skin {

int HeaderContentStart(PanelAlignment alignment, int itemWidth, int imageWidth, int textWidth) {
  int start = 3;
  if (alignment == PanelAlignment::Centre) start = (itemWidth - imageWidth - textWidth) / 2;
  if (alignment == PanelAlignment::Right) start = itemWidth - imageWidth - textWidth - 2;
  return start < 2 ? 1 : start;
}

} // namespace skin
