#include "app/core/hotkey_table.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using app::THotKeyCombo;
using app::THotKeyTable;

constexpr std::uint16_t kF4 = 115, kF5 = 116;

std::uint32_t HotKeyLParam(unsigned modifiers, unsigned key) {
  return (key << 16) | modifiers;
}

TEST(ModifierValue, EachModifierHasItsBit) {
  EXPECT_EQ(app::ModifierValue({}), 0u);
  EXPECT_EQ(app::ModifierValue({.Alt = 1}), 1u);
  EXPECT_EQ(app::ModifierValue({.Ctrl = 1}), 2u);
  EXPECT_EQ(app::ModifierValue({.Shift = 1}), 4u);
  EXPECT_EQ(app::ModifierValue({.Win = 1}), 8u);
  EXPECT_EQ(app::ModifierValue({1, 1, 1, 1, 0}), 15u);
}

TEST(HotKeyTable, MatchesKeyAndModifiers) {
  THotKeyTable table;
  EXPECT_EQ(table.Add({.Key = kF4}), 1);
  EXPECT_EQ(table.Add({.Key = kF5}), 2);
  EXPECT_EQ(table.Match(HotKeyLParam(0, kF4)), 1);
  EXPECT_EQ(table.Match(HotKeyLParam(0, kF5)), 2);
  EXPECT_EQ(table.Match(HotKeyLParam(2, kF4)), 0); // Ctrl+F4
  EXPECT_EQ(table.Match(HotKeyLParam(0, 114)), 0); // F3
}

TEST(HotKeyTable, FirstOfTwoEqualEntriesWins) {
  THotKeyTable table;
  table.Add({.Key = 'A'});
  table.Add({.Ctrl = 1, .Shift = 1, .Key = kF4});
  table.Add({.Ctrl = 1, .Shift = 1, .Key = kF4});
  EXPECT_EQ(table.Match(HotKeyLParam(6, kF4)), 2);
}

TEST(HotKeyTable, TheTwentyFirstEntryIsIgnored) {
  THotKeyTable table;
  for (int n = 1; n <= 20; ++n)
    EXPECT_EQ(table.Add({.Key = static_cast<std::uint16_t>(0x41 + n)}), n);
  EXPECT_EQ(table.Add({.Key = kF4}), 0);
  EXPECT_EQ(table.Count(), 20);
  EXPECT_EQ(table.Match(HotKeyLParam(0, kF4)), 0);
  EXPECT_EQ(table.Entry(20).Key, 0x41 + 20);
}

TEST(HotKeyAtomName, ProgramNameBeforeTheFirstDotAndTheNumber) {
  EXPECT_EQ(app::HotKeyAtomName(L"C:\\Program Files\\rec\\recorder.exe", 1), L"recorder1");
  EXPECT_EQ(app::HotKeyAtomName(L"Z:\\a.b\\recorder.exe", 2), L"recorder2");
  EXPECT_EQ(app::HotKeyAtomName(L"C:\\x\\my.recorder.exe", 12), L"my12");
  EXPECT_EQ(app::HotKeyAtomName(L"C:\\x\\recorder", 3), L"3");
}

} // namespace
