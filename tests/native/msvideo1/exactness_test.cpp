// At the best quality, pictures that the block forms can hold come back from ffmpeg's decoder
// exactly, whatever the input depth.
#include <gtest/gtest.h>

#include "recorder/core/msvideo1_encoder.h"
#include "tests/native/msvideo1/encode_frames.h"
#include "tests/native/msvideo1/support/stream_walker.h"

using namespace msvideo1_test;

namespace {

constexpr int kWidth = 64, kHeight = 48;
constexpr long kBlocks = (kWidth / 4) * (kHeight / 4);

BlockCounts Totals(const VideoStream& stream) {
  BlockCounts total;
  total.wellFormed = true;
  for (const CompressedFrame& f : stream.frames) {
    BlockCounts c = CountBlocks(f.bytes, kBlocks);
    total.wellFormed = total.wellFormed && c.wellFormed;
    total.skipped += c.skipped;
    total.fills += c.fills;
    total.twoColour += c.twoColour;
    total.eightColour += c.eightColour;
  }
  return total;
}

void ExpectShownExactly(const std::vector<Picture>& pictures, const VideoStream& stream) {
  std::vector<Picture> shown = DecodeStream(stream);
  ASSERT_EQ(shown.size(), pictures.size()) << "ffmpeg did not decode every frame";
  for (std::size_t i = 0; i < pictures.size(); ++i)
    EXPECT_TRUE(shown[i] == pictures[i])
        << "frame " << i << " differs, PSNR " << Psnr(shown[i], pictures[i]);
}

class Msvideo1Exactness : public ::testing::TestWithParam<int> {
protected:
  EncodeSettings KeyFramesOnly() const {
    return {GetParam(), recorder::msvideo1::kMaxQuality, [](int) { return true; }};
  }
};

} // namespace

TEST_P(Msvideo1Exactness, FlatPicturesAreFilledBlocks) {
  // Red 1 makes a fill word look like a skip count; those blocks must still show their colour.
  const std::vector<Rgb8> colours = {Exact555(0, 0, 0),   Exact555(31, 31, 31), Exact555(1, 0, 0),
                                     Exact555(1, 31, 31), Exact555(1, 17, 3),   Exact555(12, 25, 7),
                                     Exact555(31, 0, 16), Exact555(2, 1, 0)};
  std::vector<Picture> pictures;
  for (Rgb8 c : colours)
    pictures.push_back(FlatPicture(kWidth, kHeight, c));
  VideoStream stream = EncodePictures(pictures, KeyFramesOnly());
  ASSERT_EQ(stream.frames.size(), pictures.size());
  BlockCounts counts = Totals(stream);
  EXPECT_TRUE(counts.wellFormed);
  EXPECT_EQ(counts.skipped, 0);
  EXPECT_EQ(counts.eightColour, 0);
  EXPECT_EQ(counts.fills + counts.twoColour, long(pictures.size()) * kBlocks);
  ExpectShownExactly(pictures, stream);
}

TEST_P(Msvideo1Exactness, TwoColourPicturesNeedNoMoreThanTwoColourBlocks) {
  const std::pair<Rgb8, Rgb8> pairs[] = {{Exact555(31, 31, 31), Exact555(0, 0, 0)},
                                         {Exact555(1, 2, 3), Exact555(1, 2, 4)},
                                         {Exact555(0, 31, 0), Exact555(31, 0, 31)},
                                         {Exact555(1, 0, 0), Exact555(20, 10, 5)}};
  std::vector<Picture> pictures;
  unsigned seed = 1;
  for (const auto& [a, b] : pairs)
    pictures.push_back(TwoColourPicture(kWidth, kHeight, a, b, seed++));
  VideoStream stream = EncodePictures(pictures, KeyFramesOnly());
  BlockCounts counts = Totals(stream);
  EXPECT_TRUE(counts.wellFormed);
  EXPECT_EQ(counts.eightColour, 0);
  EXPECT_GT(counts.twoColour, 0);
  ExpectShownExactly(pictures, stream);
}

TEST_P(Msvideo1Exactness, TwoColoursPerQuadrantComeBackExactly) {
  std::vector<Picture> pictures;
  for (unsigned seed = 10; seed < 13; ++seed)
    pictures.push_back(QuadrantPicture(kWidth, kHeight, GetParam() == 8 ? 200 : 5000, seed));
  VideoStream stream = EncodePictures(pictures, KeyFramesOnly());
  BlockCounts counts = Totals(stream);
  EXPECT_TRUE(counts.wellFormed);
  EXPECT_GT(counts.eightColour, 0);
  ExpectShownExactly(pictures, stream);
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, Msvideo1Exactness, ::testing::Values(8, 16, 24, 32),
                         [](const auto& info) { return std::to_string(info.param) + "bpp"; });

TEST(Msvideo1Depths, EveryDepthGivesTheSameStream) {
  std::vector<Picture> pictures;
  for (unsigned seed = 0; seed < 3; ++seed)
    pictures.push_back(PosterisedPicture(kWidth, kHeight, seed));
  for (int quality : {10000, 6550, 2000}) {
    VideoStream reference = EncodePictures(pictures, {32, quality, {}});
    ASSERT_EQ(reference.frames.size(), pictures.size());
    for (int bpp : {8, 16, 24}) {
      VideoStream other = EncodePictures(pictures, {bpp, quality, {}});
      ASSERT_EQ(other.frames.size(), pictures.size());
      for (std::size_t i = 0; i < pictures.size(); ++i)
        EXPECT_EQ(other.frames[i].bytes, reference.frames[i].bytes)
            << bpp << " bpp, quality " << quality << ", frame " << i;
    }
  }
}
