// Key frames stand alone; delta frames skip what the decoder already shows, measured against the
// decoder's picture, not the previous input.
#include <gtest/gtest.h>

#include <cstdio>

#include "recorder/core/msvideo1_encoder.h"
#include "tests/native/msvideo1/encode_frames.h"
#include "tests/native/msvideo1/support/stream_walker.h"

namespace mv1 = recorder::msvideo1;
using namespace msvideo1_test;

namespace {

long BlocksOf(const Picture& p) {
  return long(p.width / 4) * (p.height / 4);
}

Picture Brighter(const Picture& p, int amount) {
  Picture out = p;
  auto add = [amount](std::uint8_t v) {
    return static_cast<std::uint8_t>(std::min(255, v + amount));
  };
  for (Rgb8& px : out.pixels)
    px = {add(px.r), add(px.g), add(px.b)};
  return out;
}

} // namespace

TEST(Msvideo1Delta, KeyFramesHoldNoSkipsAndDeltaFramesOfAStillPictureOnlySkips) {
  // 640×480 has 19200 blocks: more than one skip word can count.
  const Picture still = NaturalPicture(640, 480, 7);
  const long blocks = BlocksOf(still);
  for (int quality : {10000, 6550, 0}) {
    std::vector<Picture> pictures(6, still);
    VideoStream stream =
        EncodePictures(pictures, {32, quality, [](int i) { return i == 0 || i == 3; }});
    ASSERT_EQ(stream.frames.size(), pictures.size());
    for (std::size_t i = 0; i < stream.frames.size(); ++i) {
      BlockCounts counts = CountBlocks(stream.frames[i].bytes, blocks);
      EXPECT_TRUE(counts.wellFormed) << "frame " << i;
      if (i == 0 || i == 3) {
        EXPECT_TRUE(stream.frames[i].keyFrame) << "frame " << i;
        EXPECT_EQ(counts.skipped, 0) << "frame " << i;
      } else {
        EXPECT_FALSE(stream.frames[i].keyFrame) << "frame " << i;
        EXPECT_EQ(counts.skipped, blocks) << "frame " << i;
        EXPECT_EQ(counts.skipWords, (blocks + 1022) / 1023) << "frame " << i;
      }
    }
    std::vector<Picture> shown = DecodeStream(stream);
    ASSERT_EQ(shown.size(), pictures.size());
    for (std::size_t i = 1; i < shown.size(); ++i)
      EXPECT_TRUE(shown[i] == shown[0]) << "quality " << quality << ", frame " << i;
  }
}

TEST(Msvideo1Delta, OnlyChangedBlocksAreCodedAndShownExactly) {
  Picture first = QuadrantPicture(128, 96, 5000, 3);
  Picture second = first;
  // An 8×8 change off the block grid (but on the 2×2 quadrant grid, so that every quadrant keeps
  // two colours) touches 3×3 blocks.
  for (int y = 46; y < 54; ++y)
    for (int x = 34; x < 42; ++x)
      second.At(x, y) = Exact555(31, 1, 1);
  Picture third = second;
  for (int y = 94; y < 96; ++y) // the top-right quadrant of the last block
    for (int x = 126; x < 128; ++x)
      third.At(x, y) = Exact555(0, 0, 1);
  std::vector<Picture> pictures = {first, second, third};
  VideoStream stream = EncodePictures(pictures, {24, mv1::kMaxQuality, {}});
  ASSERT_EQ(stream.frames.size(), 3u);
  EXPECT_EQ(CountBlocks(stream.frames[1].bytes, BlocksOf(first)).skipped, BlocksOf(first) - 9);
  EXPECT_EQ(CountBlocks(stream.frames[2].bytes, BlocksOf(first)).skipped, BlocksOf(first) - 1);
  std::vector<Picture> shown = DecodeStream(stream);
  ASSERT_EQ(shown.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_TRUE(shown[i] == pictures[i]) << "frame " << i;
}

TEST(Msvideo1Delta, SlowChangesDoNotDriftAwayFromTheInput) {
  // Each frame is a little brighter than the last: every single step is within the allowance, so
  // an encoder that compared with the previous input would skip for ever.
  const int quality = 5000;
  std::vector<Picture> pictures;
  const Picture base = NaturalPicture(96, 64, 11);
  for (int k = 0; k < 24; ++k)
    pictures.push_back(Brighter(base, 2 * k));
  VideoStream delta = EncodePictures(pictures, {32, quality, {}});
  VideoStream keys = EncodePictures(pictures, {32, quality, [](int) { return true; }});
  std::vector<Picture> shownDelta = DecodeStream(delta), shownKeys = DecodeStream(keys);
  ASSERT_EQ(shownDelta.size(), pictures.size());
  ASSERT_EQ(shownKeys.size(), pictures.size());
  long skipped = 0;
  for (const CompressedFrame& f : delta.frames)
    skipped += CountBlocks(f.bytes, BlocksOf(base)).skipped;
  EXPECT_GT(skipped, 0) << "the sequence should exercise skipping";
  const int allowed = mv1::AllowedBlockError(quality);
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    std::vector<int> deltaErrors = BlockErrors555(shownDelta[i], pictures[i]);
    std::vector<int> keyErrors = BlockErrors555(shownKeys[i], pictures[i]);
    for (std::size_t b = 0; b < deltaErrors.size(); ++b)
      ASSERT_LE(deltaErrors[b], std::max(allowed, keyErrors[b])) << "frame " << i << " block " << b;
  }
}

TEST(Msvideo1Delta, ANewColourTableRecodesUnchangedIndices) {
  const mv1::InputFormat format{16, 8, 8};
  std::vector<std::uint8_t> pixels(mv1::InputFrameBytes(format));
  // One index per 2×2 quadrant, so that every table's colours can be shown exactly.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      pixels[y * 16 + x] = static_cast<std::uint8_t>((x / 2 + y / 2) % 3);
  auto table = [](Rgb8 a, Rgb8 b, Rgb8 c) {
    return std::vector<std::uint8_t>{a.b, a.g, a.r, 0, b.b, b.g, b.r, 0, c.b, c.g, c.r, 0};
  };
  const Rgb8 red = Exact555(31, 0, 0), green = Exact555(0, 31, 0), blue = Exact555(0, 0, 31);
  const std::vector<std::uint8_t> tables[] = {table(red, green, blue), table(blue, red, green)};

  mv1::Encoder encoder;
  ASSERT_EQ(encoder.Start(format, tables[0]), mv1::Status::Ok);
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  VideoStream stream{16, 8, 10, {}};
  for (const auto& t : tables) {
    encoder.SetColourTable(t);
    mv1::EncodedFrame frame;
    ASSERT_EQ(encoder.Encode(pixels, false, mv1::kMaxQuality, out, frame), mv1::Status::Ok);
    stream.frames.push_back({{out.begin(), out.begin() + frame.bytes}, frame.keyFrame});
  }
  EXPECT_EQ(CountBlocks(stream.frames[1].bytes, 8).skipped, 0);
  std::vector<Picture> shown = DecodeStream(stream);
  ASSERT_EQ(shown.size(), 2u);
  for (std::size_t f = 0; f < 2; ++f) {
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 16; ++x) {
        const std::uint8_t* q = &tables[f][4 * pixels[y * 16 + x]];
        ASSERT_EQ(shown[f].At(x, y), (Rgb8{q[2], q[1], q[0]}))
            << "frame " << f << " " << x << "," << y;
      }
    }
  }
}

TEST(Msvideo1Delta, AStricterQualityLooksAtAnUnchangedPictureAgain) {
  const Picture picture = NaturalPicture(64, 64, 5);
  mv1::InputFormat format{64, 64, 32};
  auto dib = ToDib(picture, 32);
  ASSERT_TRUE(dib);
  mv1::Encoder encoder;
  ASSERT_EQ(encoder.Start(format), mv1::Status::Ok);
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  VideoStream stream{64, 64, 10, {}};
  for (int quality : {0, mv1::kMaxQuality}) {
    mv1::EncodedFrame frame;
    ASSERT_EQ(encoder.Encode(dib->pixels, false, quality, out, frame), mv1::Status::Ok);
    stream.frames.push_back({{out.begin(), out.begin() + frame.bytes}, frame.keyFrame});
  }
  EXPECT_LT(CountBlocks(stream.frames[1].bytes, 256).skipped, 256);
  std::vector<Picture> shown = DecodeStream(stream);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_GT(Psnr(shown[1], picture), Psnr(shown[0], picture) + 3.0);
}
