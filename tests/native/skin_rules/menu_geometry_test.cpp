// Menu decisions without windows: bar layout, arrow-key neighbours, what the bar does with an item
// it reaches, drop-down entry columns, the system menu's entries, which menus a component skins
// and which commands are relayed as system commands.
#include "skin/forms/core/frame_geometry.h"
#include "skin/forms/core/menu_geometry.h"

#include <gtest/gtest.h>

using namespace skin;

TEST(MenuGeometry, BarItemsFollowTheStartOffsetAndSkipHiddenOnes) {
  EXPECT_EQ(MenuBarStart(false, 0, 0, false, 300), 6);
  EXPECT_EQ(MenuBarStart(true, 5, 9, false, 300), 9);
  EXPECT_EQ(MenuBarStart(true, 5, 9, true, 300), 17);
  EXPECT_EQ(MenuBarStart(true, 5, 9, false, 4), 12); // narrower than the offset
  const TRect bar{6, 30, 306, 49};
  const auto ltr = LayoutMenuBar(bar, 9, {{20, true}, {30, false}, {0, true}, {15, true}}, false);
  ASSERT_EQ(ltr.size(), 4u);
  EXPECT_EQ(ltr[0], (TRect{15, 30, 45, 48}));
  EXPECT_EQ(ltr[1], TRect{});
  EXPECT_EQ(ltr[2].Width(), 0); // an empty caption takes no room
  EXPECT_EQ(ltr[3], (TRect{45, 30, 70, 48}));
  const auto rtl = LayoutMenuBar(bar, 17, {{20, true}, {15, true}}, true);
  EXPECT_EQ(rtl[0], (TRect{259, 30, 289, 48}));
  EXPECT_EQ(rtl[1], (TRect{234, 30, 259, 48}));
  // Beside the MDI child buttons at 250 of a 300-wide bar: the first item ends at 245.
  EXPECT_EQ(StartBesideMdiButtons(17, 300, 250), 55);
  EXPECT_EQ(StartBesideMdiButtons(17, 300, 295), 17); // the offset is already clear of them
  EXPECT_EQ(StartBesideMdiButtons(17, 300, -1), 17);
}

TEST(MenuGeometry, ArrowsWrapAndNeverLandOnAnItemWithoutBounds) {
  const std::vector<TRect> bounds{{0, 0, 10, 10}, {}, {20, 0, 30, 10}, {30, 0, 40, 10}};
  EXPECT_EQ(NeighbourItem(bounds, 0, -1), 3); // wraps to the last
  EXPECT_EQ(NeighbourItem(bounds, 3, +1), 0); // wraps to the first
  EXPECT_EQ(NeighbourItem(bounds, 0, +1), 2); // the hidden item is skipped
  EXPECT_EQ(NeighbourItem(bounds, 2, -1), 0);
  EXPECT_EQ(NeighbourItem({{0, 0, 10, 10}, {}}, 0, +1), -1); // nowhere else to go
  EXPECT_EQ(NeighbourItem({}, -1, +1), -1);
}

TEST(MenuGeometry, MovingOntoAnItemThatCannotOpenOnlyHighlightsIt) {
  for (TBarApproach a : {TBarApproach::Click, TBarApproach::Accelerator, TBarApproach::MenuKey,
                         TBarApproach::Neighbour})
    EXPECT_EQ(LandOnBarItem(true, true, a), TBarLanding::OpenDropDown);
  EXPECT_EQ(LandOnBarItem(false, true, TBarApproach::Neighbour), TBarLanding::Highlight);
  EXPECT_EQ(LandOnBarItem(true, false, TBarApproach::Neighbour), TBarLanding::Highlight);
  EXPECT_EQ(LandOnBarItem(false, true, TBarApproach::MenuKey), TBarLanding::Highlight);
  EXPECT_EQ(LandOnBarItem(false, true, TBarApproach::Click), TBarLanding::RunCommand);
  EXPECT_EQ(LandOnBarItem(true, false, TBarApproach::Click), TBarLanding::Nothing);
  // Keys on a highlighted item (VK_LEFT, VK_RETURN, VK_F10): the arrows turn round right to left.
  EXPECT_EQ(BarKeyOf(0x25, false), TBarKey::Previous);
  EXPECT_EQ(BarKeyOf(0x25, true), TBarKey::Next);
  EXPECT_EQ(BarKeyOf(0x0D, false), TBarKey::Run);
  EXPECT_EQ(BarKeyOf(0x79, false), TBarKey::Leave);
}

TEST(MenuGeometry, ARightToLeftEntryIsTheMirrorImage) {
  // A 100-wide row at 10, the element's left part 2, a 16-pixel glyph, a 30-wide caption.
  const MenuEntryColumns ltr = EntryColumns(10, 110, 2, 16, 30, false);
  EXPECT_EQ(ltr.glyphLeft, 13);
  EXPECT_EQ(ltr.glyphRight, 29);
  EXPECT_EQ(ltr.textLeft, 32);
  EXPECT_EQ(ltr.textRight, 109);
  EXPECT_EQ(ltr.shortcutLeft, 62);
  EXPECT_EQ(ltr.shortcutRight, 99);
  const MenuEntryColumns rtl = EntryColumns(10, 110, 2, 16, 30, true);
  EXPECT_TRUE(rtl.rightToLeft);
  EXPECT_EQ(rtl.glyphLeft, 91);
  EXPECT_EQ(rtl.glyphRight, 107);
  EXPECT_EQ(rtl.textLeft, 11);
  EXPECT_EQ(rtl.textRight, 88);
  EXPECT_EQ(rtl.shortcutLeft, 21);
  EXPECT_EQ(rtl.shortcutRight, 58);
}

TEST(MenuGeometry, SystemMenuEntriesFollowTheWindowState) {
  constexpr std::uint32_t size = 0xF000, minimize = 0xF020, maximize = 0xF030, close = 0xF060,
                          restore = 0xF120, other = 0x0010;
  const int caps = kCapMinimize | kCapMaximize | kCapSystemMenu;
  EXPECT_FALSE(SystemMenuEntryFor(restore, kStateNormal, caps, false).enabled);
  EXPECT_TRUE(SystemMenuEntryFor(restore, kStateMinimized, caps, false).enabled);
  EXPECT_FALSE(SystemMenuEntryFor(size, kStateMaximized, caps, false).enabled);
  EXPECT_FALSE(SystemMenuEntryFor(maximize, kStateMaximized, caps, false).enabled);
  EXPECT_FALSE(SystemMenuEntryFor(maximize, kStateNormal, kCapMinimize, false).enabled);
  EXPECT_FALSE(SystemMenuEntryFor(minimize, kStateMinimized, caps, false).enabled);
  // A disabled entry that is also checked stays disabled.
  EXPECT_FALSE(SystemMenuEntryFor(other, kStateNormal, caps, true).enabled);
  EXPECT_EQ(SystemMenuEntryFor(restore, kStateNormal, caps, false).image, 0);
  EXPECT_EQ(SystemMenuEntryFor(maximize, kStateNormal, caps, false).image, 1);
  EXPECT_EQ(SystemMenuEntryFor(minimize, kStateNormal, caps, false).image, 2);
  EXPECT_EQ(SystemMenuEntryFor(close, kStateNormal, caps, false).image, 3);
  EXPECT_EQ(SystemMenuEntryFor(size, kStateNormal, caps, false).image, -1);
}

TEST(MenuGeometry, OnlyMenuCommandsAreRelayedAsSystemCommands) {
  EXPECT_TRUE(IsRelayedSystemCommand(0xF060, 0));
  EXPECT_TRUE(IsRelayedSystemCommand(0xF120, 0));
  EXPECT_FALSE(IsRelayedSystemCommand(0xF060, 0x1234)); // a control with that id
  EXPECT_FALSE(IsRelayedSystemCommand(0x0001F060, 0));  // a notification code
  EXPECT_FALSE(IsRelayedSystemCommand(0xF100, 0));      // not a window command
  EXPECT_FALSE(IsRelayedSystemCommand(101, 0));
}

TEST(MenuGeometry, EachMenuKindNeedsItsOwnSwitch) {
  EXPECT_TRUE(SkinsMenuKind({xcPopupMenu}, MenuKind::Popup));
  EXPECT_FALSE(SkinsMenuKind({xcMainMenu}, MenuKind::Popup));
  EXPECT_TRUE(SkinsMenuKind({xcMainMenu}, MenuKind::BarDropDown));
  EXPECT_TRUE(SkinsMenuKind({xcMenuItem}, MenuKind::BarDropDown));
  EXPECT_FALSE(SkinsMenuKind({xcPopupMenu}, MenuKind::BarDropDown));
  EXPECT_TRUE(SkinsMenuKind({xcSystemMenu}, MenuKind::System));
  EXPECT_FALSE(SkinsMenuKind({xcMainMenu, xcPopupMenu}, MenuKind::System));
}

TEST(MenuGeometry, EntriesMeasuredByTheirText) {
  const MenuItemSize plain = MeasureTextItem(40, false, false, 0, 16);
  EXPECT_EQ(plain.width, 66);
  EXPECT_EQ(plain.height, 20);
  EXPECT_EQ(MeasureTextItem(40, false, true, 5, 16).width, 71);
  EXPECT_EQ(MeasureTextItem(0, true, false, 0, 16).height, 8);
}
