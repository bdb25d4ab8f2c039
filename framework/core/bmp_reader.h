// Reads BMP files: 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed (BI_RGB), with colour
// masks (BI_BITFIELDS) or run-length coded (BI_RLE4, BI_RLE8), bottom-up or top-down, with the
// core (OS/2 1.x) header or any Windows info header of 40 bytes and more.
//
// The file is untrusted: every read is checked against its length, and sizes are checked before
// anything is allocated, so a damaged or lying file throws EInvalidGraphic instead of reading
// outside the data or reserving memory it does not describe.
#pragma once

#include "framework/core/bitmap.h"

#include <cstdint>
#include <span>

namespace fw {

inline constexpr const char* kInvalidBitmapMessage = "Bitmap image is not valid";

// The image of a BMP file. Pixels of a palette image that name no palette entry are black; runs
// of an RLE image that leave the picture are dropped, and pixels it never sets are black. The
// run-length image of more than 4096 pixels per byte of coded data is refused as damaged. The
// pixel format tells the file's depth (pf15bit for 16-bit files with 5-5-5 colours).
// Throws EInvalidGraphic (kInvalidBitmapMessage) or EBitmapTooLarge.
TBitmap LoadBmp(std::span<const std::uint8_t> file);

} // namespace fw
