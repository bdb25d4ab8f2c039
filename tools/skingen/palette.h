// The colours of the skin: a deep lake blue frame over light, cool grey-blue controls.
#pragma once

#include "tools/skingen/paint.h"

namespace skingen::palette {

inline constexpr Pixel kCaptionTop = Rgb(84, 142, 204);
inline constexpr Pixel kCaptionBottom = Rgb(38, 90, 156);
inline constexpr Pixel kCaptionShine = Rgb(150, 196, 240);
inline constexpr Pixel kFrameOuter = Rgb(24, 56, 100);
inline constexpr Pixel kFrameInner = Rgb(30, 70, 124);
inline constexpr Pixel kFrameBody = Rgb(44, 98, 164);
inline constexpr Pixel kInactiveGrey = Rgb(152, 162, 178);

inline constexpr Pixel kFace = Rgb(236, 240, 246);
inline constexpr Pixel kFaceLight = Rgb(252, 253, 255);
inline constexpr Pixel kFaceDark = Rgb(214, 224, 238);
inline constexpr Pixel kEdge = Rgb(122, 146, 182);
inline constexpr Pixel kEdgeHot = Rgb(58, 128, 210);
inline constexpr Pixel kEdgeDisabled = Rgb(186, 192, 204);
inline constexpr Pixel kHotTop = Rgb(246, 251, 255);
inline constexpr Pixel kHotBottom = Rgb(204, 226, 250);
inline constexpr Pixel kPressedTop = Rgb(186, 208, 236);
inline constexpr Pixel kPressedBottom = Rgb(218, 230, 246);
inline constexpr Pixel kDisabledFace = Rgb(238, 239, 242);
inline constexpr Pixel kMark = Rgb(30, 82, 160);
inline constexpr Pixel kMarkDisabled = Rgb(160, 168, 182);
inline constexpr Pixel kWhite = Rgb(255, 255, 255);
inline constexpr Pixel kSelection = Rgb(196, 222, 250);
inline constexpr Pixel kSelectionEdge = Rgb(112, 164, 224);
inline constexpr Pixel kClose = Rgb(214, 66, 56);
inline constexpr Pixel kClosePressed = Rgb(160, 38, 32);

// The inactive form of a frame colour: towards grey, a little lighter.
inline Pixel Inactive(Pixel p) {
  return Mix(p, kInactiveGrey, 0.7);
}

} // namespace skingen::palette
