// Input that is not a valid frame is refused with a status, never read out of bounds.
#include <gtest/gtest.h>

#include "recorder/core/msvideo1_encoder.h"
#include "tests/native/msvideo1/support/stream_walker.h"
#include "tests/native/msvideo1/support/test_pictures.h"

namespace mv1 = recorder::msvideo1;
using namespace msvideo1_test;

TEST(Msvideo1Format, AcceptsOnlyMultiplesOfFourAndKnownDepths) {
  for (int bpp : {8, 16, 24, 32}) {
    EXPECT_EQ(mv1::CheckInputFormat({4, 4, bpp}), mv1::Status::Ok) << bpp;
    EXPECT_EQ(mv1::CheckInputFormat({1920, 1080, bpp}), mv1::Status::Ok) << bpp;
  }
  for (int bpp : {0, 1, 4, 15, 48, 64, -32})
    EXPECT_EQ(mv1::CheckInputFormat({320, 200, bpp}), mv1::Status::UnsupportedDepth) << bpp;
  const mv1::InputFormat badSizes[] = {{1366, 768, 32}, {320, 202, 32},  {0, 200, 32},
                                       {320, 0, 32},    {-320, 200, 32}, {320, -200, 32},
                                       {2, 2, 16},      {16388, 4, 32},  {4, 16388, 32}};
  for (const mv1::InputFormat& f : badSizes)
    EXPECT_EQ(mv1::CheckInputFormat(f), mv1::Status::UnsupportedSize) << f.width << "x" << f.height;
}

TEST(Msvideo1Format, SizesFollowTheDibLayout) {
  EXPECT_EQ(mv1::InputStride({320, 200, 24}), 960u);
  EXPECT_EQ(mv1::InputStride({4, 4, 8}), 4u);
  EXPECT_EQ(mv1::InputFrameBytes({1920, 1080, 32}), 1920u * 1080u * 4u);
  EXPECT_EQ(mv1::MaxCompressedBytes({1920, 1080, 32}), 480u * 270u * 18u);
}

TEST(Msvideo1Format, QualityNarrowsTheAllowedErrorMonotonically) {
  EXPECT_EQ(mv1::AllowedBlockError(mv1::kMaxQuality), 0);
  EXPECT_GT(mv1::AllowedBlockError(0), 0);
  for (int q = 100; q <= mv1::kMaxQuality; q += 100)
    EXPECT_LE(mv1::AllowedBlockError(q), mv1::AllowedBlockError(q - 100)) << q;
  EXPECT_EQ(mv1::AllowedBlockError(-5), mv1::AllowedBlockError(0));
  EXPECT_EQ(mv1::AllowedBlockError(20000), mv1::AllowedBlockError(mv1::kMaxQuality));
}

TEST(Msvideo1Encoder, RefusesInvalidFramesAndStaysUsable) {
  const mv1::InputFormat format{16, 8, 32};
  mv1::Encoder encoder;
  std::vector<std::uint8_t> pixels(mv1::InputFrameBytes(format), 0x40);
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  mv1::EncodedFrame frame;

  EXPECT_EQ(encoder.Encode(pixels, true, 10000, out, frame), mv1::Status::NotStarted);
  EXPECT_EQ(encoder.Start({15, 8, 32}), mv1::Status::UnsupportedSize);
  EXPECT_FALSE(encoder.Started());
  EXPECT_EQ(encoder.Start({16, 8, 4}), mv1::Status::UnsupportedDepth);
  ASSERT_EQ(encoder.Start(format), mv1::Status::Ok);

  EXPECT_EQ(encoder.Encode({}, true, 10000, out, frame), mv1::Status::NullPointer);
  EXPECT_EQ(encoder.Encode(pixels, true, 10000, {}, frame), mv1::Status::NullPointer);
  std::span<const std::uint8_t> shortInput(pixels.data(), pixels.size() - 1);
  EXPECT_EQ(encoder.Encode(shortInput, true, 10000, out, frame), mv1::Status::InputTooSmall);
  std::span<std::uint8_t> shortOutput(out.data(), out.size() - 1);
  EXPECT_EQ(encoder.Encode(pixels, true, 10000, shortOutput, frame), mv1::Status::OutputTooSmall);
  EXPECT_EQ(frame.bytes, 0u);

  // After the refusals the first real frame is still a complete key frame.
  ASSERT_EQ(encoder.Encode(pixels, false, 10000, out, frame), mv1::Status::Ok);
  EXPECT_TRUE(frame.keyFrame);
  BlockCounts counts = CountBlocks({out.data(), frame.bytes}, 4 * 2);
  EXPECT_TRUE(counts.wellFormed);
  EXPECT_EQ(counts.fills, 8);

  encoder.Stop();
  EXPECT_EQ(encoder.Reconstruction().data(), nullptr) << "the frame buffers are given back";
  EXPECT_EQ(encoder.Encode(pixels, true, 10000, out, frame), mv1::Status::NotStarted);
}

TEST(Msvideo1Encoder, ColourIndicesPastAShortTableShowBlack) {
  const mv1::InputFormat format{8, 4, 8};
  const std::vector<std::uint8_t> twoColours = {0, 0, 255, 0, 255, 0, 0, 0}; // red, blue
  mv1::Encoder encoder;
  ASSERT_EQ(encoder.Start(format, twoColours), mv1::Status::Ok);
  std::vector<std::uint8_t> pixels(mv1::InputFrameBytes(format), 0);
  for (int y = 0; y < 4; ++y) {
    for (int x = 4; x < 8; ++x)
      pixels[y * 8 + x] = 200; // no such entry
    pixels[y * 8 + 1] = 1;
  }
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  mv1::EncodedFrame frame;
  ASSERT_EQ(encoder.Encode(pixels, true, 10000, out, frame), mv1::Status::Ok);
  auto shown = encoder.Reconstruction();
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(shown[y * 8 + 0], mv1::MakeRgb555(31, 0, 0));
    EXPECT_EQ(shown[y * 8 + 1], mv1::MakeRgb555(0, 0, 31));
    for (int x = 4; x < 8; ++x)
      EXPECT_EQ(shown[y * 8 + x], 0) << x << "," << y;
  }
}
