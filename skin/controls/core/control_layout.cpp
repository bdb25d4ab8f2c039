#include "skin/controls/core/control_layout.h"

#include <algorithm>

namespace skin {

std::wstring ButtonCaptionText(std::wstring caption) {
  const auto at = caption.find(L"||");
  if (at != std::wstring::npos) caption.replace(at, 2, L"\r\n");
  return caption;
}

TRect PlaceMeasuredText(TRect area, int width, int height, bool centre) {
  TRect t;
  t.Top = area.Top + (area.Height() - height) / 2 - 1;
  t.Bottom = t.Top + height;
  if (centre) {
    t.Left = area.Left + (area.Width() - width) / 2;
    t.Right = t.Left + width;
  } else {
    t.Left = area.Left;
    t.Right = area.Right;
  }
  return t;
}

TRect CaptionFocusRect(TRect area, int width, int height, unsigned flags) {
  TRect t{area.Left, area.Top, area.Left + width, area.Top + height};
  if (flags & kDtCenter) {
    const int dx = (area.Width() - width) / 2, dy = (area.Height() - height) / 2 - 1;
    t = {t.Left + dx, t.Top + dy, t.Right + dx, t.Bottom + dy};
  } else if (flags & kDtRight) {
    const int dx = area.Width() - width;
    t.Left += dx;
    t.Right += dx;
  }
  t = {t.Left - 2, t.Top - 1, t.Right + 2, t.Bottom + 1};
  return {std::max(t.Left, area.Left), std::max(t.Top, area.Top), std::min(t.Right, area.Right),
          std::min(t.Bottom, area.Bottom)};
}

CheckLayout LayoutCheckMark(TRect bounds, int imageWidth, int imageHeight, bool leftText,
                            bool radio, bool rightToLeft) {
  CheckLayout layout;
  layout.image.Top = bounds.Top + (bounds.Height() - imageHeight) / 2;
  layout.image.Bottom = layout.image.Top + imageHeight;
  layout.text = bounds;
  if (leftText) {
    const int gap = radio ? 1 : 0;
    layout.image.Right = bounds.Right - gap;
    layout.image.Left = layout.image.Right - imageWidth;
    layout.text.Right = layout.image.Left - 2;
    layout.textFlags = rightToLeft ? (kDtRight | kDtRtlReading) : 0;
  } else {
    layout.image.Left = bounds.Left;
    layout.image.Right = bounds.Left + imageWidth;
    layout.text.Left = layout.image.Right + 2;
    layout.textFlags = rightToLeft ? kDtRtlReading : 0;
  }
  return layout;
}

} // namespace skin
