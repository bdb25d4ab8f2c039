#include "skin/data/core/skin_ini.h"

#include "test_skins.h"

#include <gtest/gtest.h>

using skin::TQuickIni;
using skintest::ToBytes;

namespace {

TQuickIni IniOf(std::string_view text) {
  TQuickIni ini;
  ini.LoadFromStream(ToBytes(text));
  return ini;
}

} // namespace

TEST(QuickIni, SectionsAndKeysIgnoreCaseAndBlanksAroundTheEquals) {
  const TQuickIni ini = IniOf("[Buttons]\r\n   TopHeight = 11   \r\nLeftWidth=3\r\n");
  EXPECT_EQ(ini.FindSection("buttons"), 0);
  EXPECT_EQ(ini.FindSection("BUTTONS"), 0);
  EXPECT_EQ(ini.FindSection("Button"), -1);
  EXPECT_EQ(ini.ReadInteger("buttons", "topheight", -1), 11);
  EXPECT_EQ(ini.ReadString("BUTTONS", "TOPHEIGHT", ""), "11");
  EXPECT_EQ(ini.ReadInteger("Buttons", "leftwidth", -1), 3);
}

TEST(QuickIni, KeysBelongToTheirOwnSectionOnly) {
  const TQuickIni ini = IniOf("Orphan=1\n[A]\nKey=a\n[B]\nOther=b\n[C]\nKey=c\n");
  EXPECT_EQ(ini.ReadString("A", "Key", "-"), "a");
  EXPECT_EQ(ini.ReadString("B", "Key", "-"), "-"); // not taken from [C]
  EXPECT_EQ(ini.ReadString("C", "Key", "-"), "c");
  EXPECT_EQ(ini.ReadString("Missing", "Key", "-"), "-");
  EXPECT_EQ(ini.ReadString("A", "Orphan", "-"),
            "-"); // text before the first header is no section's
}

TEST(QuickIni, ValuesKeepEverythingAfterTheFirstEquals) {
  const TQuickIni ini = IniOf("[S]\nA=B=C\nPath = C:\\skins\\x.bmp \n");
  EXPECT_EQ(ini.ReadString("S", "A", ""), "B=C");
  EXPECT_EQ(ini.ReadString("S", "Path", ""), "C:\\skins\\x.bmp");
}

TEST(QuickIni, EmptyValueGivesTheDefaultAndHidesLaterDuplicates) {
  const TQuickIni ini = IniOf("[S]\nCommand=\nCommand=later\nTwice=first\nTwice=second\n");
  EXPECT_EQ(ini.ReadString("S", "Command", "default"), "default");
  EXPECT_EQ(ini.ReadString("S", "Twice", ""), "first");
}

TEST(QuickIni, LinesWithoutEqualsMatchNoKey) {
  const TQuickIni ini = IniOf("[S]\nImage\n=orphan value\nImage=x.bmp\n");
  EXPECT_EQ(ini.ReadString("S", "Image", ""), "x.bmp");
  EXPECT_EQ(ini.ReadString("S", "Image ", "none"), "none"); // the asked key is not trimmed
}

TEST(QuickIni, IntegersInDecimalAndHexadecimal) {
  const TQuickIni ini =
      IniOf("[N]\nHexC=0x1F\nHexUpper=0X1f\nHexPascal=$1F\nBareX=0x\nTrailing=12abc\nNegative=-42\n"
            "Plus=+7\nAllBits=$FFFFFFFF\nMax=2147483647\nMin=-2147483648\nOver=2147483648\n"
            "TooLong=$100000000\nDollar=$\nBlankInside=1 2\nNegHex=-$10\nSignAfterPrefix=0x-1\n");
  EXPECT_EQ(ini.ReadInteger("N", "HexC", -1), 31);
  EXPECT_EQ(ini.ReadInteger("N", "HexUpper", -1), 31);
  EXPECT_EQ(ini.ReadInteger("N", "HexPascal", -1), 31);
  EXPECT_EQ(ini.ReadInteger("N", "BareX", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "Trailing", -1), -1);
  EXPECT_EQ(ini.ReadInteger("N", "Negative", 0), -42);
  EXPECT_EQ(ini.ReadInteger("N", "Plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("N", "AllBits", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "Max", 0), INT32_MAX);
  EXPECT_EQ(ini.ReadInteger("N", "Min", 0), INT32_MIN);
  EXPECT_EQ(ini.ReadInteger("N", "Over", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "TooLong", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "Dollar", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "BlankInside", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "NegHex", 0), -16);
  EXPECT_EQ(ini.ReadInteger("N", "SignAfterPrefix", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "Absent", 99), 99);
}

TEST(QuickIni, BlanksInsideBracketsAreListedTrimmedButNotFound) {
  const TQuickIni ini = IniOf("[ Buttons ]\nA=1\n[Colours]\n[]\n");
  EXPECT_EQ(ini.FindSection("Buttons"), -1);
  EXPECT_EQ(ini.FindSection(" Buttons "), 0);
  EXPECT_EQ(ini.ReadString(" buttons ", "a", ""), "1");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Buttons", "Colours", ""}));
}

TEST(QuickIni, FirstOfTwoEqualSectionsWins) {
  const TQuickIni ini = IniOf("[Menu]\nA=first\n[MENU]\nA=second\nB=only here\n");
  EXPECT_EQ(ini.ReadString("menu", "A", ""), "first");
  EXPECT_EQ(ini.ReadString("menu", "B", "-"), "-");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Menu", "MENU"}));
}

TEST(QuickIni, CommentsAreRecognisedAfterTrimming) {
  const TQuickIni ini =
      IniOf("[S]\n;Image=x.bmp\n \t;Image=y.bmp\n#Hash=kept\nImage=z.bmp\n; [Hidden]\n");
  EXPECT_EQ(ini.ReadString("S", "Image", ""), "z.bmp");
  EXPECT_EQ(ini.ReadString("S", "#Hash", ""), "kept");
  EXPECT_EQ(ini.FindSection("Hidden"), -1);
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[S]", "#Hash=kept", "Image=z.bmp"}));
}

TEST(QuickIni, LineBreaksAndNul) {
  const std::string text("[S]\rA=1\nB=2\r\n\r\nC=3\n\rD=4\0[T]\nE=5\n", 32);
  const TQuickIni ini = IniOf(text);
  EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[S]", "A=1", "B=2", "C=3", "D=4"}));
  EXPECT_EQ(ini.ReadString("S", "D", ""), "4");
  EXPECT_EQ(ini.FindSection("T"), -1);
  EXPECT_EQ(ini.ReadString("T", "E", "gone"), "gone");
}

TEST(QuickIni, LoadingReplacesTheContentUnlessTheStreamIsMissing) {
  TQuickIni ini = IniOf("[Old]\nK=old\n");
  ini.LoadFromStream(nullptr);
  EXPECT_EQ(ini.ReadString("Old", "K", ""), "old");

  const auto text = ToBytes("[New]\nK=new\n");
  ini.LoadFromStream(&text);
  EXPECT_EQ(ini.FindSection("Old"), -1);
  EXPECT_EQ(ini.ReadString("New", "K", ""), "new");

  ini.LoadFromStream(skintest::Bytes{});
  EXPECT_TRUE(ini.Lines().empty());
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_EQ(ini.ReadString("New", "K", "empty"), "empty");
}

TEST(QuickIni, ReadSectionsRefusesAMissingList) {
  const TQuickIni ini = IniOf("[A]\n");
  try {
    ini.ReadSections(nullptr);
    FAIL() << "no assertion";
  } catch (const skin::EAssertionFailed& failure) {
    EXPECT_STREQ(failure.what(), "The parameter Strings is unassigned!");
    EXPECT_STREQ(failure.Unit(), "Winskinini");
    EXPECT_EQ(failure.Line(), 317);
  }
  std::vector<std::string> list = {"stale"};
  ini.ReadSections(&list);
  EXPECT_EQ(list, (std::vector<std::string>{"A"}));
}
