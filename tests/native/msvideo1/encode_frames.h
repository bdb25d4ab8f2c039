// Runs the encoder over a sequence of pictures and collects the frames for an AVI file.
#pragma once

#include <functional>
#include <vector>

#include "tests/native/msvideo1/support/avi_file.h"
#include "tests/native/msvideo1/support/test_pictures.h"

namespace msvideo1_test {

struct EncodeSettings {
  int bitsPerPixel = 32;
  int quality = 10000;
  // Frame index → key frame requested. Unset: only the first frame is one.
  std::function<bool(int)> keyFrameAt;
};

// Encodes every picture (all of one size) as a stream; fails the calling test through
// GoogleTest assertions when the encoder refuses a frame.
VideoStream EncodePictures(const std::vector<Picture>& pictures, const EncodeSettings& settings);

// Writes the stream to a temporary AVI, decodes it with ffmpeg and returns the pictures shown.
// Empty when ffmpeg fails.
std::vector<Picture> DecodeStream(const VideoStream& stream);

} // namespace msvideo1_test
