// Where a control skin puts its pieces: captions placed after the system measured them, the
// image and text rectangles of check boxes and radio buttons, and focus rectangles. Text
// measuring itself is the system's; these functions take the measured sizes.
#pragma once

#include "framework/core/bitmap.h"

#include <string>

namespace skin {

using fw::TRect;

// DrawText flags the layouts read and produce.
inline constexpr unsigned kDtLeft = 0x0;
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtRight = 0x2;
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtExpandTabs = 0x40;
inline constexpr unsigned kDtNoClip = 0x100;
inline constexpr unsigned kDtCalcRect = 0x400;
inline constexpr unsigned kDtEndEllipsis = 0x8000;
inline constexpr unsigned kDtRtlReading = 0x20000;

// A button caption's line break: the first "||" becomes CR LF, later ones stay as they are.
std::wstring ButtonCaptionText(std::wstring caption);

// A measured text of `width` × `height` placed in `area`: vertically centred one pixel high;
// centred across when `centre`, else spanning the area's width.
TRect PlaceMeasuredText(TRect area, int width, int height, bool centre);

// The focus rectangle around a measured caption in `area`, laid out by the alignment flags,
// inflated by 2 × 1 and clipped to the area.
TRect CaptionFocusRect(TRect area, int width, int height, unsigned flags);

// Image and text rectangles of a check box or radio button of `imageWidth` × `imageHeight`.
struct CheckLayout {
  TRect image;
  TRect text;
  unsigned textFlags = 0;
};
// `leftText`: the caption stands left of the box (BS_LEFTTEXT); `radio` keeps a 1-pixel gap at
// the right edge there; `rightToLeft` reads the caption right to left.
CheckLayout LayoutCheckMark(TRect bounds, int imageWidth, int imageHeight, bool leftText,
                            bool radio, bool rightToLeft);

} // namespace skin
