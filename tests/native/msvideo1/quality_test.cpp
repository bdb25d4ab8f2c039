// Below the best quality the error stays bounded by the quality's allowance, and a lower quality
// never gives a better picture or a bigger frame.
#include <gtest/gtest.h>

#include "recorder/core/msvideo1_encoder.h"
#include "tests/native/msvideo1/encode_frames.h"
#include "tests/native/msvideo1/support/stream_walker.h"

namespace mv1 = recorder::msvideo1;
using namespace msvideo1_test;

TEST(Msvideo1Quality, BlockErrorsStayWithinTheAllowanceAndFallWithQuality) {
  const Picture picture = NaturalPicture(160, 120, 21);
  struct Result {
    int quality;
    double psnr;
    std::size_t bytes;
    std::vector<int> errors;
  };
  std::vector<Result> results;
  for (int quality : {10000, 9000, 7500, 6550, 4000, 2000, 0}) {
    VideoStream stream = EncodePictures({picture}, {32, quality, {}});
    std::vector<Picture> shown = DecodeStream(stream);
    ASSERT_EQ(shown.size(), 1u) << quality;
    results.push_back({quality, Psnr(shown[0], picture), stream.frames[0].bytes.size(),
                       BlockErrors555(shown[0], picture)});
  }
  // At 10000 every block is as close as the block forms allow; noisy ramps still lose a little.
  EXPECT_GT(results[0].psnr, 30.0);
  for (std::size_t i = 1; i < results.size(); ++i) {
    const Result &better = results[i - 1], &r = results[i];
    EXPECT_LE(r.psnr, better.psnr + 1e-9) << r.quality;
    EXPECT_LE(r.bytes, better.bytes) << r.quality;
    const int allowed = mv1::AllowedBlockError(r.quality);
    for (std::size_t b = 0; b < r.errors.size(); ++b)
      ASSERT_LE(r.errors[b], std::max(allowed, results[0].errors[b]))
          << r.quality << " block " << b;
  }
  EXPECT_LT(results.back().bytes, results.front().bytes / 2);
}

TEST(Msvideo1Quality, NoiseNeverOutgrowsTheLargestFrame) {
  Picture noise(256, 128);
  unsigned state = 1;
  for (Rgb8& p : noise.pixels) {
    state = state * 1103515245u + 12345u;
    p = {std::uint8_t(state >> 24), std::uint8_t(state >> 16), std::uint8_t(state >> 8)};
  }
  VideoStream stream = EncodePictures({noise}, {32, mv1::kMaxQuality, {}});
  ASSERT_EQ(stream.frames.size(), 1u);
  const std::size_t limit = mv1::MaxCompressedBytes({256, 128, 32});
  EXPECT_LE(stream.frames[0].bytes.size(), limit);
  BlockCounts counts = CountBlocks(stream.frames[0].bytes, 64 * 32);
  EXPECT_TRUE(counts.wellFormed);
  EXPECT_GT(counts.eightColour, 64 * 32 * 9 / 10);
  std::vector<Picture> shown = DecodeStream(stream);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_GT(Psnr(shown[0], noise), 15.0);
}
