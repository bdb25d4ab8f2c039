#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "tools/skinpack/sample_skin.h"

#include "test_skins.h"

#include <gtest/gtest.h>

#include <string>

using skin::TSkinReader;
using skintest::ArchiveOf;
using skintest::Bytes;
using skintest::RawArchive;
using skintest::SkinFileOf;
using skintest::ToBytes;
using skintest::ToText;

namespace {

std::string Entry(const TSkinReader& reader, std::string_view name) {
  Bytes target = ToBytes("stale");
  reader.ReadEntry(name, target);
  return ToText(target);
}

TSkinReader Loaded(const RawArchive& archive) {
  TSkinReader reader;
  EXPECT_TRUE(reader.LoadFromStream(SkinFileOf(archive.Build()))) << reader.FailureReason();
  return reader;
}

} // namespace

TEST(SkinReader, EveryVersionSkipsItsExtraBlock) {
  const std::pair<std::int32_t, std::int32_t> versions[] = {{20000, 0},  {30000, 256}, {40000, 80},
                                                            {50000, 48}, {60000, 117}, {70000, 69}};
  for (const auto& [version, extra] : versions) {
    RawArchive archive = ArchiveOf({{"skin.ini", "[A]\r\nB=1\r\n"}, {"top.bmp", "BMtop"}});
    archive.version = version;
    archive.extraBytes = extra;
    const TSkinReader reader = Loaded(archive);
    EXPECT_EQ(reader.Version(), version);
    ASSERT_EQ(reader.Count(), 2) << version;
    EXPECT_EQ(reader.Name(0), "skin.ini");
    EXPECT_EQ(Entry(reader, "top.bmp"), "BMtop") << version;
  }
}

TEST(SkinReader, UnknownVersionShowsTheOlderSkinMessageAndKeepsTheDirectory) {
  TSkinReader reader = Loaded(ArchiveOf({{"top.bmp", "kept"}}));
  for (std::int32_t version : {10000, 0, 20001, 80000, -20000}) {
    RawArchive older = ArchiveOf({{"other.bmp", "new"}});
    older.version = version;
    skintest::MessageRecorder messages;
    EXPECT_FALSE(reader.LoadFromStream(SkinFileOf(older.Build()))) << version;
    EXPECT_EQ(messages.Messages(),
              std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"});
    EXPECT_EQ(Entry(reader, "top.bmp"), "kept");
    EXPECT_EQ(Entry(reader, "other.bmp"), "");
    EXPECT_EQ(reader.Version(), 20000);
  }
}

TEST(SkinReader, ReadEntryIgnoresCaseAndFindEntryDoesNot) {
  const TSkinReader reader =
      Loaded(ArchiveOf({{"Top.BMP", "top"}, {"Skin.INI", "[Personality]"}, {"x.ini2", "no"}}));
  EXPECT_EQ(reader.Name(0), "top.bmp");
  EXPECT_EQ(Entry(reader, "top.bmp"), "top");
  EXPECT_EQ(Entry(reader, "TOP.bmp"), "top");
  EXPECT_EQ(Entry(reader, "top"), ""); // exact names only

  Bytes target;
  std::string fullName = "unchanged";
  reader.FindEntry(".INI", target, fullName);
  EXPECT_TRUE(target.empty());
  EXPECT_EQ(fullName, "unchanged");
  reader.FindEntry(".ini", target, fullName);
  EXPECT_EQ(ToText(target), "[Personality]");
  EXPECT_EQ(fullName, "skin.ini");
  reader.FindEntry("op", target, fullName);
  EXPECT_EQ(fullName, "top.bmp");
}

TEST(SkinReader, EntriesAfterZeroSizedOnesAndDuplicatesAreFoundRight) {
  const TSkinReader reader = Loaded(ArchiveOf({{"empty.bmp", ""},
                                               {"a.bmp", "AAAA"},
                                               {"also-empty.bmp", ""},
                                               {"b.bmp", "BB"},
                                               {"a.bmp", "second A"}}));
  EXPECT_EQ(Entry(reader, "empty.bmp"), "");
  EXPECT_EQ(Entry(reader, "a.bmp"), "AAAA");
  EXPECT_EQ(Entry(reader, "b.bmp"), "BB");
  Bytes target;
  std::string fullName;
  reader.FindEntry("a.bmp", target, fullName);
  EXPECT_EQ(ToText(target), "AAAA");
}

TEST(SkinReader, NameListsSplitLikeTextLines) {
  RawArchive archive;
  archive.names = "one.bmp\r\ntwo.bmp\nthree.bmp\r\r\nfive.bmp\r\n"; // empty 4th line, final break
  archive.sizes = {1, 1, 1, 1, 1};
  archive.data = ToBytes("12345");
  const TSkinReader reader = Loaded(archive);
  ASSERT_EQ(reader.Count(), 5);
  EXPECT_EQ(reader.Name(3), "");
  EXPECT_EQ(Entry(reader, "three.bmp"), "3");
  EXPECT_EQ(Entry(reader, "five.bmp"), "5");
}

TEST(SkinReader, MoreThanTheDirectoryHoldsIsRefused) {
  TSkinReader reader = Loaded(ArchiveOf({{"top.bmp", "kept"}}));
  for (int count : {1002, 1001}) {
    RawArchive archive;
    for (int i = 0; i < count; ++i)
      archive.names += "e" + std::to_string(i) + ".bmp\r\n";
    archive.sizes.assign(static_cast<std::size_t>(count), 1);
    archive.data.assign(static_cast<std::size_t>(count), 'x');
    const bool loaded = reader.LoadFromStream(SkinFileOf(archive.Build()));
    EXPECT_EQ(loaded, count <= TSkinReader::kMaxEntries) << count;
    EXPECT_EQ(reader.Count(), loaded ? count : 1);
  }
}

TEST(SkinReader, DamagedDirectoriesGiveShortOrEmptyEntries) {
  {
    // Negative sizes hold nothing and do not move the entries after them.
    RawArchive archive = ArchiveOf({{"a.bmp", "AA"}, {"neg.bmp", ""}, {"b.bmp", "BBB"}});
    archive.sizes[1] = -5;
    const TSkinReader reader = Loaded(archive);
    EXPECT_EQ(Entry(reader, "neg.bmp"), "");
    EXPECT_EQ(reader.DeclaredSize(1), -5);
    EXPECT_EQ(Entry(reader, "b.bmp"), "BBB");
  }
  {
    // Sizes past the end give what is there, then nothing.
    RawArchive archive = ArchiveOf({{"a.bmp", "AA"}, {"b.bmp", "BBB"}, {"c.bmp", "C"}});
    archive.sizes = {2, 1000, INT32_MAX};
    const TSkinReader reader = Loaded(archive);
    EXPECT_EQ(Entry(reader, "b.bmp"), "BBBC");
    EXPECT_EQ(Entry(reader, "c.bmp"), "");
  }
  {
    // A name list longer than the archive takes the rest as names; no sizes or data are left.
    RawArchive archive = ArchiveOf({{"a.bmp", "AA"}});
    archive.nameListBytes = 1 << 30;
    const TSkinReader reader = Loaded(archive);
    ASSERT_GE(reader.Count(), 1);
    EXPECT_EQ(reader.DeclaredSize(0), 0);
    EXPECT_EQ(Entry(reader, reader.Name(0)), "");
  }
  {
    // A negative name-list length reads no names.
    RawArchive archive = ArchiveOf({{"a.bmp", "AA"}});
    archive.nameListBytes = -7;
    EXPECT_EQ(Loaded(archive).Count(), 0);
  }
  {
    // Missing sizes read as 0 rather than as left-overs of an earlier skin.
    RawArchive archive;
    archive.names = "a.bmp\r\nb.bmp";
    archive.sizes = {3};
    TSkinReader reader = Loaded(ArchiveOf({{"x.bmp", "XXXXXXXX"}, {"y.bmp", "YYYYYYYY"}}));
    ASSERT_TRUE(reader.LoadFromStream(SkinFileOf(archive.Build())));
    EXPECT_EQ(reader.DeclaredSize(0), 3);
    EXPECT_EQ(reader.DeclaredSize(1), 0);
    EXPECT_EQ(Entry(reader, "a.bmp"), "");
  }
}

TEST(SkinReader, ShortArchivesAreNotReadWithAnEarlierHeader) {
  TSkinReader reader = Loaded(ArchiveOf({{"top.bmp", "kept"}}));
  skintest::MessageRecorder messages;
  // The first byte of version 20000 alone: the rest reads as zeros, not as the earlier header's.
  EXPECT_FALSE(reader.LoadFromStream(SkinFileOf(ToBytes("\x20"))));
  EXPECT_FALSE(reader.LoadFromArchive({}));
  EXPECT_EQ(messages.Messages().size(), 2u);
  EXPECT_EQ(Entry(reader, "top.bmp"), "kept");
}

TEST(SkinReader, ASkinFileCutShortIsRefusedRatherThanReadWithAGarbageTail) {
  const Bytes whole =
      SkinFileOf(skinpack::BuildArchive(skinpack::MakeSampleSkin(skinpack::SampleSize::kFull)));
  TSkinReader reader = Loaded(ArchiveOf({{"top.bmp", "kept"}}));
  skintest::MessageRecorder messages;
  for (std::size_t keep : {whole.size() - 1, whole.size() / 2, std::size_t{40}}) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(keep));
    EXPECT_FALSE(reader.LoadFromStream(cut)) << keep;
    EXPECT_NE(reader.FailureReason().find("bit stream ends"), std::string::npos) << keep;
  }
  EXPECT_TRUE(messages.Messages().empty()) << "refused silently";
  EXPECT_EQ(Entry(reader, "top.bmp"), "kept");
}

TEST(SkinReader, LoadingAgainLeavesNothingOfTheEarlierData) {
  TSkinReader reader = Loaded(ArchiveOf({{"a.bmp", std::string(100, 'a')}}));
  // The new entry claims more than its archive holds; the earlier skin's bytes must not fill in.
  RawArchive shorter = ArchiveOf({{"a.bmp", "short"}});
  shorter.sizes = {50};
  ASSERT_TRUE(reader.LoadFromStream(SkinFileOf(shorter.Build())));
  EXPECT_EQ(Entry(reader, "a.bmp"), "short");
}

TEST(SkinReader, SampleSkinRoundTripsThroughPackerAndReaders) {
  const auto entries = skinpack::MakeSampleSkin(skinpack::SampleSize::kFull);
  const Bytes skinFile = SkinFileOf(skinpack::BuildArchive(entries));
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadFromStream(skinFile));
  ASSERT_EQ(reader.Count(), static_cast<std::int32_t>(entries.size()));
  for (std::int32_t i = 0; i < reader.Count(); ++i) {
    EXPECT_EQ(reader.Name(i), entries[static_cast<std::size_t>(i)].name);
    Bytes target;
    reader.ReadEntry(entries[static_cast<std::size_t>(i)].name, target);
    EXPECT_EQ(target, entries[static_cast<std::size_t>(i)].data) << reader.Name(i);
  }

  Bytes iniBytes;
  std::string iniName;
  reader.FindEntry(".ini", iniBytes, iniName);
  EXPECT_EQ(iniName, "sample.ini");
  skin::TQuickIni fromSkin;
  fromSkin.LoadFromStream(iniBytes);
  skin::TQuickIni fromText;
  fromText.LoadFromStream(ToBytes(skinpack::SampleSkinIni()));
  EXPECT_FALSE(fromSkin.Lines().empty());
  EXPECT_EQ(fromSkin.Lines(), fromText.Lines());
  EXPECT_EQ(fromSkin.ReadString("Personality", "Top", ""), "top.bmp");
  Bytes top;
  reader.ReadEntry(fromSkin.ReadString("Personality", "Top", ""), top);
  ASSERT_GT(top.size(), 54u);
  EXPECT_EQ(ToText(Bytes(top.begin(), top.begin() + 2)), "BM");
}
