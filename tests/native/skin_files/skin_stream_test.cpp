#include "skin/data/core/lzh.h"
#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_stream.h"

#include "test_skins.h"

#include <gtest/gtest.h>

using skintest::Bytes;
using skintest::ToBytes;

namespace {

Bytes WithLength(std::int32_t length, std::string_view rest) {
  Bytes value;
  skin::AppendInt32LE(value, length);
  value.insert(value.end(), rest.begin(), rest.end());
  return value;
}

} // namespace

TEST(SkinStreamValue, LengthZeroOrLessStoresNoSkin) {
  for (std::int32_t length : {0, -1, INT32_MIN}) {
    const Bytes value = WithLength(length, "ignored");
    const auto read = skin::ReadSkinStreamValue(value);
    EXPECT_TRUE(read.skinFile.empty()) << length;
    EXPECT_EQ(read.bytesUsed, 4u) << length;
  }
  EXPECT_EQ(skin::WriteSkinStreamValue({}), WithLength(0, ""));
}

TEST(SkinStreamValue, SkinFileFollowsItsLengthAndRoundTrips) {
  const Bytes skinFile = ToBytes("skin file bytes");
  const Bytes value = skin::WriteSkinStreamValue(skinFile);
  EXPECT_EQ(value, WithLength(static_cast<std::int32_t>(skinFile.size()), "skin file bytes"));

  Bytes followed = value;
  followed.push_back(0x77); // the next property of the form stream
  const auto read = skin::ReadSkinStreamValue(followed);
  EXPECT_EQ(Bytes(read.skinFile.begin(), read.skinFile.end()), skinFile);
  EXPECT_EQ(read.bytesUsed, value.size());
}

TEST(SkinStreamValue, TruncatedValuesAreRefused) {
  EXPECT_THROW(skin::ReadSkinStreamValue(ToBytes("ab")), skin::ElzhException);
  EXPECT_THROW(skin::ReadSkinStreamValue(WithLength(20, "short")), skin::ElzhException);
  EXPECT_THROW(skin::ReadSkinStreamValue(WithLength(INT32_MAX, "short")), skin::ElzhException);
}

TEST(SkinFile, SizeFieldComesFirstAndShortFilesAreRefused) {
  EXPECT_EQ(skin::ReadUnpackedSize(WithLength(193511, "")), 193511);
  EXPECT_EQ(skin::ReadUnpackedSize(WithLength(-2, "x")), -2);
  Bytes archive = ToBytes("stale");
  EXPECT_THROW(skin::UnpackSkinFile(ToBytes("abc"), archive), skin::ElzhException);
  skin::UnpackSkinFile(WithLength(0, "never read"), archive);
  EXPECT_TRUE(archive.empty());
}

TEST(SkinFile, HugeDeclaredSizeMakesAnUnreadableSkin) {
  // 2 GiB claimed by a 30-byte file.
  const Bytes hostile = WithLength(INT32_MAX, std::string(26, '\x5A'));
  Bytes archive;
  EXPECT_THROW(skin::UnpackSkinFile(hostile, archive), skin::ElzhException);

  skin::TSkinReader reader;
  ASSERT_TRUE(
      reader.LoadFromStream(skintest::SkinFileOf(skintest::ArchiveOf({{"a.ini", "[x]"}}).Build())));
  skintest::MessageRecorder messages;
  EXPECT_FALSE(reader.LoadFromStream(hostile));
  EXPECT_EQ(reader.FailureReason(), skin::kLzhSizeOutOfRangeMessage);
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(reader.Count(), 1); // the previous skin stays
  EXPECT_FALSE(reader.LoadFromStream(ToBytes("ab")));
  EXPECT_EQ(reader.Count(), 1);
}
