// The hot-key object against the real system: atoms, registration, matching, release.
#include "app/core/hotkey_table.h"
#include "app/woxhotkey.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

LPARAM HotKeyLParam(UINT modifiers, UINT key) {
  return static_cast<LPARAM>(MAKELONG(modifiers, key));
}

class HotKeys : public testing::Test {
protected:
  HotKeys() { window.Handle(); }
  fw::TForm window{nullptr};
};

TEST_F(HotKeys, IdentifiersComeFromAtomsNamedAfterTheProgram) {
  auto keys = std::make_unique<app::TWoxhotkey>();
  keys->AddHotKey(&window, false, false, false, false, VK_F4);
  keys->AddHotKey(&window, false, false, false, false, VK_F5);
  ASSERT_EQ(keys->Count(), 2);
  std::vector<ATOM> atoms;
  for (int n = 1; n <= 2; ++n) {
    ATOM atom = ::GlobalFindAtomW(app::HotKeyAtomName(ProgramPath(), n).c_str());
    ASSERT_NE(atom, 0) << n;
    EXPECT_EQ(keys->Id(n), atom - 0xC000);
    EXPECT_GE(keys->Id(n), 0);
    EXPECT_LE(keys->Id(n), 0x3FFF);
    atoms.push_back(atom);
  }
  EXPECT_NE(keys->Id(1), keys->Id(2));
  // Registered: nobody else can take F4 now.
  EXPECT_FALSE(::RegisterHotKey(nullptr, 0x1234, 0, VK_F4));
  keys.reset();
  // Released: the atoms are gone and F4 is free for others again.
  for (int n = 1; n <= 2; ++n)
    EXPECT_EQ(::GlobalFindAtomW(app::HotKeyAtomName(ProgramPath(), n).c_str()), 0);
  EXPECT_TRUE(::RegisterHotKey(nullptr, 0x1234, 0, VK_F4));
  ::UnregisterHotKey(nullptr, 0x1234);
}

TEST_F(HotKeys, WhichHotKeyMatchesKeyAndModifiersNotTheIdentifier) {
  app::TWoxhotkey keys;
  keys.AddHotKey(&window, false, false, false, false, VK_F4);
  keys.AddHotKey(&window, false, false, false, false, VK_F5);
  keys.AddHotKey(&window, true, true, false, false, 'R');
  app::THotKeyMessage f4{static_cast<WPARAM>(keys.Id(2)), HotKeyLParam(0, VK_F4), 0};
  EXPECT_EQ(keys.WhichHotKey(f4), 1) << "wParam names entry 2, but the key is F4";
  EXPECT_EQ(f4.Result, 1);
  app::THotKeyMessage ctrlF4{0, HotKeyLParam(MOD_CONTROL, VK_F4), 0};
  EXPECT_EQ(keys.WhichHotKey(ctrlF4), 0);
  EXPECT_EQ(ctrlF4.Result, 0);
  app::THotKeyMessage ctrlAltR{0, HotKeyLParam(MOD_CONTROL | MOD_ALT, 'R'), 0};
  EXPECT_EQ(keys.WhichHotKey(ctrlAltR), 3);
}

TEST_F(HotKeys, TheTwentyFirstIsIgnored) {
  app::TWoxhotkey keys;
  for (int i = 0; i < 21; ++i)
    keys.AddHotKey(&window, true, true, true, false, static_cast<WORD>('A' + i));
  EXPECT_EQ(keys.Count(), 20);
  app::THotKeyMessage last{0, HotKeyLParam(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'A' + 20), 0};
  EXPECT_EQ(keys.WhichHotKey(last), 0);
  EXPECT_EQ(::GlobalFindAtomW(app::HotKeyAtomName(ProgramPath(), 21).c_str()), 0);
}

} // namespace
