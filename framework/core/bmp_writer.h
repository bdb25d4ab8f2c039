// Writes a bitmap as a 24-bit bottom-up BMP file, the form skin images are stored in.
#pragma once

#include "framework/core/bitmap.h"

#include <cstdint>
#include <vector>

namespace fw {

std::vector<std::uint8_t> SaveBmp24(const TBitmap& image);

} // namespace fw
