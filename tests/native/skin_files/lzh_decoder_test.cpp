#include "skin/data/core/lzh.h"
#include "skin/data/core/lzh_params.h"
#include "skin/data/core/lzh_tree.h"
#include "skin/data/core/skin_stream.h"
#include "tools/skinpack/lzh_encoder.h"
#include "tools/skinpack/sample_skin.h"
#include "tools/skinpack/skin_archive_writer.h"
#include "tools/skinpack/skin_folder.h"

#include "test_skins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

using skin::ElzhException;
using skin::TLZH;
using skintest::Bytes;
using skintest::ToBytes;

namespace {

Bytes RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(count);
  for (auto& byte : bytes)
    byte = static_cast<std::uint8_t>(random());
  return bytes;
}

Bytes SampleArchive() {
  return skinpack::BuildArchive(skinpack::MakeSampleSkin(skinpack::SampleSize::kFull));
}

// Decodes `stream` for `size` bytes, returning the output and the stream bytes consumed.
std::pair<Bytes, std::size_t> Decode(std::int32_t size, const Bytes& stream) {
  Bytes out;
  const std::size_t consumed = TLZH().Unpack(size, stream, out);
  return {out, consumed};
}

} // namespace

TEST(LzhDecoder, SizeZeroOrLessReadsNothingAndEmptiesTheOutput) {
  const Bytes garbage = RandomBytes(64, 1);
  for (std::int32_t size : {0, -1, INT32_MIN}) {
    Bytes out = ToBytes("previous content");
    EXPECT_EQ(TLZH().Unpack(size, garbage, out), 0u) << size;
    EXPECT_TRUE(out.empty()) << size;
  }
}

TEST(LzhDecoder, RoundTripsWhatThePackerEncodes) {
  const std::string text = "[Personality]\r\nTop=top.bmp\r\nTopTopHeight=40\r\n";
  const std::vector<Bytes> inputs = {
      ToBytes("x"),
      ToBytes(text + text + text),
      Bytes(10000, 0x00),
      ToBytes(std::string(5000, ' ') +
              "after the blanks"), // matches reach into the initial history
      RandomBytes(70000, 2), // mostly literals: more than kMaxFreq symbols, so the tree rebuilds
      SampleArchive(),
  };
  for (const Bytes& input : inputs) {
    const Bytes stream = skinpack::EncodeLzh(input);
    const auto [out, consumed] = Decode(static_cast<std::int32_t>(input.size()), stream);
    EXPECT_EQ(out, input) << "input of " << input.size() << " bytes";
    EXPECT_EQ(consumed, stream.size()) << "input of " << input.size() << " bytes";
  }
}

TEST(LzhDecoder, MatchesReachEveryDistanceOfTheDictionary) {
  // A block repeated after gaps of growing size puts matches at distances up to 4096.
  const Bytes block = RandomBytes(40, 3);
  Bytes input;
  for (std::size_t gap : {0u, 1u, 60u, 200u, 1000u, 2000u, 3000u, 4000u, 4056u}) {
    input.insert(input.end(), block.begin(), block.end());
    const Bytes filler = RandomBytes(gap, static_cast<unsigned>(gap));
    input.insert(input.end(), filler.begin(), filler.end());
  }
  const Bytes stream = skinpack::EncodeLzh(input);
  EXPECT_LT(stream.size(), input.size()); // the repeats were found as matches
  EXPECT_EQ(Decode(static_cast<std::int32_t>(input.size()), stream).first, input);
}

// The first symbol is coded by the initial tree, whose node i (below the root) hangs from
// node 314 + i / 2: a stream written by hand from that rule decodes to its literal.
TEST(LzhDecoder, FirstSymbolFollowsTheInitialPairwiseTree) {
  using namespace skin::lzh;
  for (int symbol : {0, int{'A'}, 255}) {
    std::vector<int> bits;
    for (int node = symbol; node != kRoot; node = kSymbolCount + node / 2)
      bits.insert(bits.begin(), node & 1);
    Bytes stream((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i) {
      if (bits[i]) stream[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    }
    const auto [out, consumed] = Decode(1, stream);
    EXPECT_EQ(out, Bytes{static_cast<std::uint8_t>(symbol)}) << symbol;
    EXPECT_EQ(consumed, stream.size());
  }
}

TEST(LzhDecoder, CutStreamStillEndsWithAtLeastTheDeclaredSizeAndTellsItRanOut) {
  const Bytes archive = SampleArchive();
  const auto size = static_cast<std::int32_t>(archive.size());
  const Bytes stream = skinpack::EncodeLzh(archive);
  TLZH whole;
  Bytes out;
  whole.Unpack(size, stream, out);
  EXPECT_FALSE(whole.RanOut());
  for (std::size_t keep : {std::size_t{0}, std::size_t{1}, stream.size() / 3, stream.size() - 1}) {
    const Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(keep));
    TLZH decoder;
    const std::size_t consumed = decoder.Unpack(size, cut, out);
    EXPECT_TRUE(decoder.RanOut()) << keep;
    EXPECT_GE(out.size(), archive.size()) << keep;
    EXPECT_LE(out.size(), archive.size() + skin::kMaxUnpackOvershoot) << keep;
    EXPECT_EQ(consumed, keep);
    if (keep == stream.size() / 3) {
      // What the kept bytes encode still comes out right.
      EXPECT_TRUE(std::equal(archive.begin(), archive.begin() + 4096, out.begin()));
    }
  }
}

TEST(LzhDecoder, FinalMatchIsWrittenWholePastTheDeclaredSize) {
  // One literal, then one match of the longest length repeating it.
  const Bytes input(1 + skin::lzh::kMaxMatch, 'a');
  const Bytes stream = skinpack::EncodeLzh(input);
  EXPECT_EQ(Decode(1, stream).first, Bytes(1, 'a'));
  // Size 2 needs the match, and all 60 of its bytes are written.
  const Bytes out = Decode(2, stream).first;
  EXPECT_EQ(out, input);
  EXPECT_EQ(out.size(), 2u + skin::kMaxUnpackOvershoot);
}

TEST(LzhDecoder, RefusesDeclaredSizesBeyondTheLimitBeforeDecoding) {
  const Bytes tiny = RandomBytes(26, 4);
  for (std::int32_t size : {skin::kMaxUnpackedSize + 1, INT32_MAX}) {
    Bytes out = ToBytes("previous");
    try {
      TLZH().Unpack(size, tiny, out);
      FAIL() << "size " << size << " was accepted";
    } catch (const ElzhException& error) {
      EXPECT_STREQ(error.what(), skin::kLzhSizeOutOfRangeMessage);
    }
    EXPECT_LT(out.capacity(), 1024u); // nothing was reserved for the claimed size
  }
}

// Streams made by an independent LZHUF encoder (tests/data/lzh-vectors, with what each one
// exercises in its README): a mistake shared by our decoder and our packer would pass the round
// trips above but not these. Each file is a skin file: the unpacked size, then the bit stream.
TEST(LzhDecoder, DecodesTheStreamsOfAnIndependentEncoder) {
  const std::filesystem::path folder = LZH_VECTORS_DIR;
  const char* const names[] = {"empty",          "one_byte", "spaces", "long_run",
                               "incompressible", "ini_text", "bitmap", "far_matches"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const Bytes file = skinpack::ReadFileBytes(folder / (std::string(name) + ".lzh"));
    const Bytes expected = skinpack::ReadFileBytes(folder / (std::string(name) + ".out"));
    ASSERT_GE(file.size(), skin::kSizeFieldBytes);
    const std::int32_t size = skin::ReadUnpackedSize(file);
    ASSERT_EQ(static_cast<std::size_t>(size), expected.size());
    const Bytes stream(file.begin() + skin::kSizeFieldBytes, file.end());
    TLZH decoder;
    Bytes out;
    const std::size_t consumed = decoder.Unpack(size, stream, out);
    EXPECT_FALSE(decoder.RanOut()) << "the encoder's last bits are all there";
    ASSERT_GE(out.size(), expected.size());
    EXPECT_LE(out.size(), expected.size() + skin::kMaxUnpackOvershoot);
    const auto mismatch = std::mismatch(expected.begin(), expected.end(), out.begin());
    EXPECT_EQ(mismatch.first, expected.end())
        << "first difference at byte " << (mismatch.first - expected.begin());
    // The decoder stops where the encoder's stream ends, give or take the bits of the last byte.
    EXPECT_LE(consumed, stream.size());
    EXPECT_GE(consumed + 1, stream.size());
    // The skin-file framing reads the same bytes.
    Bytes archive;
    EXPECT_TRUE(skin::UnpackSkinFile(file, archive));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), archive.begin()));
  }
}
