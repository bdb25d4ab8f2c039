#include "tests/native/msvideo1/encode_frames.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "recorder/core/msvideo1_encoder.h"
#include "tests/native/msvideo1/support/ffmpeg_pipe.h"

namespace msvideo1_test {

namespace mv1 = recorder::msvideo1;

VideoStream EncodePictures(const std::vector<Picture>& pictures, const EncodeSettings& settings) {
  VideoStream stream;
  if (pictures.empty()) return stream;
  stream.width = pictures[0].width;
  stream.height = pictures[0].height;
  mv1::InputFormat format{stream.width, stream.height, settings.bitsPerPixel};
  mv1::Encoder encoder;
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    std::optional<Dib> dib = ToDib(pictures[i], settings.bitsPerPixel);
    EXPECT_TRUE(dib.has_value()) << "picture " << i << " has no DIB form";
    if (!dib) return {};
    if (i == 0) {
      EXPECT_EQ(encoder.Start(format, dib->colourTable), mv1::Status::Ok);
    } else {
      encoder.SetColourTable(dib->colourTable);
    }
    const bool key = settings.keyFrameAt ? settings.keyFrameAt(int(i)) : i == 0;
    mv1::EncodedFrame frame;
    mv1::Status status = encoder.Encode(dib->pixels, key, settings.quality, out, frame);
    EXPECT_EQ(status, mv1::Status::Ok) << mv1::StatusText(status);
    if (status != mv1::Status::Ok) return {};
    stream.frames.push_back({{out.begin(), out.begin() + frame.bytes}, frame.keyFrame});
  }
  return stream;
}

std::vector<Picture> DecodeStream(const VideoStream& stream) {
  const std::string path = TemporaryPath("stream.avi");
  std::vector<Picture> shown;
  if (WriteAvi(path, stream)) {
    auto frames = DecodeWithFfmpeg(path, "rgb24", stream.width, stream.height, 3);
    if (frames)
      for (const auto& f : *frames)
        shown.push_back(FromTopDownRgb24(f, stream.width, stream.height));
  }
  std::remove(path.c_str());
  return shown;
}

} // namespace msvideo1_test
