#include "recorder/core/msvideo1_format.h"

#include "recorder/core/frame_layout.h"

namespace recorder::msvideo1 {

const char* StatusText(Status status) {
  switch (status) {
  case Status::Ok:
    return "ok";
  case Status::NullPointer:
    return "null pointer";
  case Status::UnsupportedSize:
    return "width and height must be positive multiples of 4";
  case Status::UnsupportedDepth:
    return "input must have 8, 16, 24 or 32 bits per pixel";
  case Status::InputTooSmall:
    return "input holds fewer bytes than the frame needs";
  case Status::OutputTooSmall:
    return "output buffer too small";
  case Status::NotStarted:
    return "encoder not started";
  }
  return "unknown status";
}

Status CheckInputFormat(const InputFormat& format) {
  switch (format.bitsPerPixel) {
  case 8:
  case 16:
  case 24:
  case 32:
    break;
  default:
    return Status::UnsupportedDepth;
  }
  auto fits = [](std::int32_t side) {
    return side > 0 && side <= kMaxDimension && side % kBlockSide == 0;
  };
  if (!fits(format.width) || !fits(format.height)) return Status::UnsupportedSize;
  return Status::Ok;
}

std::size_t InputStride(const InputFormat& format) {
  return static_cast<std::size_t>(DibStride(format.width, format.bitsPerPixel));
}

std::size_t InputFrameBytes(const InputFormat& format) {
  return InputStride(format) * static_cast<std::size_t>(format.height);
}

std::size_t MaxCompressedBytes(const InputFormat& format) {
  // A skip word stands for at least one block, so no frame is longer than one where every block
  // takes the longest form.
  std::size_t blocks = static_cast<std::size_t>(format.width / kBlockSide) *
                       static_cast<std::size_t>(format.height / kBlockSide);
  return blocks * kMaxBlockBytes;
}

} // namespace recorder::msvideo1
