// A minimal AVI (RIFF) writer: one Microsoft Video 1 video stream, so that an independent
// decoder (ffmpeg) can read what the encoder produced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace msvideo1_test {

struct CompressedFrame {
  std::vector<std::uint8_t> bytes;
  bool keyFrame = false;
};

struct VideoStream {
  int width = 0;
  int height = 0;
  int framesPerSecond = 10;
  std::vector<CompressedFrame> frames;
};

// Writes the stream as handler "MSVC" with format "CRAM" at 16 bits per pixel, with an index
// that carries the key-frame flags. Returns false when the file cannot be written.
bool WriteAvi(const std::string& path, const VideoStream& stream);

} // namespace msvideo1_test
