// The program's icon, drawn in the skin's colours: a small window with the skin's blue caption
// and a red recording dot on its face. Written as a Windows icon file with several sizes, each a
// 32-bit image whose magenta pixels become transparent.
#pragma once

#include "framework/core/bitmap.h"

#include <cstdint>
#include <vector>

namespace skingen {

// The sizes the icon file holds: the system's small and large icons and the large view's.
inline constexpr int kIconSizes[] = {16, 32, 48};

// The icon drawn at `size` × `size` pixels; magenta is transparent.
fw::TBitmap AppIcon(int size);

// A Windows icon file (.ico) of the given square images, magenta transparent: a directory, then
// per image a 32-bit bottom-up BGRA picture (alpha 0 where transparent) and its 1-bit mask.
std::vector<std::uint8_t> IconFile(const std::vector<fw::TBitmap>& images);

// The icon file of AppIcon at every size of kIconSizes.
std::vector<std::uint8_t> AppIconFile();

} // namespace skingen
