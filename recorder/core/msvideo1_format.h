// What the Microsoft Video 1 encoder accepts as input and how large its output can grow.
#pragma once

#include <cstddef>
#include <cstdint>

namespace recorder::msvideo1 {

enum class Status {
  Ok,
  NullPointer,      // a pointer that must be given was null
  UnsupportedSize,  // width or height not a positive multiple of 4, or too large
  UnsupportedDepth, // not 8, 16 (RGB555), 24 or 32 bits per pixel
  InputTooSmall,    // fewer pixel bytes than the frame needs
  OutputTooSmall,   // the output buffer cannot hold the largest possible frame
  NotStarted,       // Encode before Start
};

const char* StatusText(Status status);

// A bottom-up DIB frame without compression (BI_RGB); 16-bit pixels are RGB555.
struct InputFormat {
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bitsPerPixel = 0;
};

// Frames larger than this are rejected so that every size computation stays far from overflow,
// also in 32-bit builds.
inline constexpr std::int32_t kMaxDimension = 16384;

inline constexpr int kBlockSide = 4;
// A skip word counts 1..1023 blocks.
inline constexpr std::uint32_t kMaxSkipRun = 1023;
// The longest block: a mask word and eight colours.
inline constexpr std::size_t kMaxBlockBytes = 18;

Status CheckInputFormat(const InputFormat& format);

// Bytes per pixel row (padded to 4 bytes) and per frame of a format that passed the check.
std::size_t InputStride(const InputFormat& format);
std::size_t InputFrameBytes(const InputFormat& format);

// Upper bound of one compressed frame of a format that passed the check.
std::size_t MaxCompressedBytes(const InputFormat& format);

} // namespace recorder::msvideo1
