#include "skin/controls/core/control_kinds.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

const TSkinControlTypes kAll = DefaultSkinControls();

ControlFacts Control(const std::string& className) {
  ControlFacts f;
  f.className = className;
  f.windowed = true;
  return f;
}

TSkinControlTypes Without(TSkinControlType member) {
  TSkinControlTypes set = kAll;
  set.Exclude(member);
  return set;
}

} // namespace

TEST(ControlKinds, DefaultSetsHoldTheDocumentedMembers) {
  EXPECT_FALSE(kAll.Contains(xcMenuItem));
  EXPECT_FALSE(kAll.Contains(xcFastReport));
  EXPECT_TRUE(kAll.Contains(xcMainMenu));
  EXPECT_TRUE(kAll.Contains(xcSystemMenu));
  int members = 0;
  for (int m = xcMainMenu; m <= xcFastReport; ++m)
    members += kAll.Contains(static_cast<TSkinControlType>(m));
  EXPECT_EQ(members, 20);
  EXPECT_EQ(DefaultSkinOptions().Bits(),
            (1u << xoPreview) | (1u << xoToolbarBK) | (1u << xoCaptionButtonHint));
}

TEST(ControlKinds, ClassMapMatchesByPrefixOfTheLowerCasedLine) {
  const std::vector<std::string> map = {"TButtonX=button", "tmygrid=nil", "TSpecial=Panel=odd"};
  EXPECT_EQ(ClassMapKind(map, "TButton"), ""); // "TButtonX=" is not "TButton="
  EXPECT_EQ(ClassMapKind(map, "TButtonX"), "button");
  EXPECT_EQ(ClassMapKind(map, "TMyGrid"), "nil");        // case-insensitive class name
  EXPECT_EQ(ClassMapKind(map, "TSpecial"), "Panel=odd"); // after the first '='
  const std::vector<std::string> longLine = {"TLong=" + std::string(80, 'k')};
  EXPECT_EQ(ClassMapKind(longLine, "TLong").size(), 50u);
}

TEST(ControlKinds, NilInTheClassMapOverridesTheClassRules) {
  ControlFacts grid = Control("TMyGrid");
  grid.style = 0x00200000; // WS_VSCROLL: the class rules would give a scroll-bar skinner
  EXPECT_EQ(DecideControl(grid, {}, kAll, true).kind, SkinnerKind::Scrollbar);
  ControlDecision d = DecideControl(grid, {"TMyGrid=nil"}, kAll, true);
  EXPECT_EQ(d.kind, SkinnerKind::None);
  EXPECT_TRUE(d.fromClassMap);
}

TEST(ControlKinds, ClassMapKindsNeedTheirMember) {
  ControlFacts c = Control("TThirdCombo");
  const std::vector<std::string> map = {"TThirdCombo=ComboBox"};
  EXPECT_EQ(DecideControl(c, map, kAll, true).kind, SkinnerKind::ComboBox);
  EXPECT_EQ(DecideControl(c, map, Without(xcCombo), true).kind, SkinnerKind::None);
  // The track bar kind is switched by xcButton, and makes the control transparent first.
  ControlDecision track =
      DecideControl(Control("TThirdTrack"), {"TThirdTrack=trackbar"}, kAll, true);
  EXPECT_EQ(track.kind, SkinnerKind::TrackBar);
  EXPECT_TRUE(track.setTransparent);
  EXPECT_EQ(
      DecideControl(Control("TThirdTrack"), {"TThirdTrack=trackbar"}, Without(xcButton), true).kind,
      SkinnerKind::None);
  // Edits are skinned only when they have a border.
  ControlFacts edit = Control("TThirdEdit");
  EXPECT_EQ(DecideControl(edit, {"TThirdEdit=edit"}, kAll, true).kind, SkinnerKind::None);
  edit.hasBorder = true;
  EXPECT_EQ(DecideControl(edit, {"TThirdEdit=edit"}, kAll, true).kind, SkinnerKind::Edit);
  // Tabs only when the skin has a Tabs element; unknown kinds stay unskinned.
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=tab"}, kAll, false).kind, SkinnerKind::None);
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=tab"}, kAll, true).kind, SkinnerKind::Tab);
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=frobnicator"}, kAll, true).kind, SkinnerKind::None);
}

TEST(ControlKinds, GroupsGiveTheirChildrenASkinnerFirst) {
  ControlDecision radio =
      DecideControl(Control("TMyRadioGroup"), {"TMyRadioGroup=radiogroup"}, kAll, true);
  EXPECT_EQ(radio.kind, SkinnerKind::GroupBox);
  EXPECT_EQ(radio.childKind, SkinnerKind::RadioButton);
  ControlDecision trz =
      DecideControl(Control("TRzRadioGroup"), {"TRzRadioGroup=radiogroup"}, kAll, true);
  EXPECT_EQ(trz.childKind, SkinnerKind::ObjImage);
  EXPECT_EQ(trz.childMode, SkinnerMode::Radio);
  ControlDecision check = DecideControl(Control("TMyCheckGroup"), {"TMyCheckGroup=checkgroup"},
                                        Without(xcGroupBox), true);
  EXPECT_EQ(check.kind, SkinnerKind::None);          // no group skinner without xcGroupBox ...
  EXPECT_EQ(check.childKind, SkinnerKind::CheckBox); // ... but the children still get theirs
  EXPECT_EQ(
      DecideControl(Control("TMyCheckGroup"), {"TMyCheckGroup=checkgroup"}, Without(xcPanel), true),
      ControlDecision{.fromClassMap = true});
}

TEST(ControlKinds, BitButtonBecomesAMenuButtonOnlyForDropDownCxButtons) {
  ControlFacts cx = Control("TcxButton");
  cx.kindProperty = "cxbkDropDownButton";
  EXPECT_EQ(DecideControl(cx, {"TcxButton=bitbtn"}, kAll, true).kind, SkinnerKind::MenuButton);
  cx.kindProperty = "cxbkStandard";
  EXPECT_EQ(DecideControl(cx, {"TcxButton=bitbtn"}, kAll, true).kind, SkinnerKind::BitButton);
  ControlFacts other = Control("TOtherButton");
  other.kindProperty = "cxbkDropDownButton";
  EXPECT_EQ(DecideControl(other, {"TOtherButton=bitbtn"}, kAll, true).kind, SkinnerKind::BitButton);
}

TEST(ControlKinds, ProgramControlsFollowTheClassRulesInOrder) {
  ControlFacts button = Control("TButton");
  button.isPushButton = true;
  EXPECT_EQ(DecideControl(button, {}, kAll, true).kind, SkinnerKind::Button);
  EXPECT_EQ(DecideControl(button, {}, Without(xcButton), true).kind, SkinnerKind::None);

  ControlFacts track = Control("TTrackBar");
  track.isTrackBar = true;
  EXPECT_EQ(DecideControl(track, {}, kAll, true).kind, SkinnerKind::TrackBar);

  ControlFacts group = Control("TGroupBox");
  group.isGroupBox = true;
  ControlDecision g = DecideControl(group, {}, kAll, true);
  EXPECT_EQ(g.kind, SkinnerKind::GroupBox);
  EXPECT_EQ(g.children, ChildDiscovery::Before);
  EXPECT_EQ(DecideControl(group, {}, Without(xcPanel), true).kind, SkinnerKind::None);

  // A memo is a scroll-bar case; a rule whose member is missing falls through to the next.
  ControlFacts memo = Control("TMemo");
  memo.isMemo = true;
  memo.isEdit = true;
  EXPECT_EQ(DecideControl(memo, {}, kAll, true).kind, SkinnerKind::Scrollbar);
  EXPECT_EQ(DecideControl(memo, {}, Without(xcScrollbar), true).kind, SkinnerKind::Edit);

  ControlFacts list = Control("TListBox");
  list.isListBox = true;
  EXPECT_EQ(DecideControl(list, {}, kAll, true).kind, SkinnerKind::Scrollbar);

  // A list view gets its bars and its header skinned, bars or not (they come with items).
  ControlFacts view = Control("TListView");
  view.isListView = true;
  const ControlDecision v = DecideControl(view, {}, kAll, true);
  EXPECT_EQ(v.kind, SkinnerKind::Scrollbar);
  EXPECT_EQ(v.mode, SkinnerMode::ListView);
  EXPECT_EQ(DecideControl(view, {"TListView=scrollbar"}, kAll, true).mode, SkinnerMode::ListView);
  EXPECT_EQ(DecideControl(view, {}, Without(xcScrollbar), true).kind, SkinnerKind::None);

  ControlFacts combo = Control("TComboBox");
  combo.isComboBox = true;
  EXPECT_EQ(DecideControl(combo, {}, kAll, true).kind, SkinnerKind::ComboBox);

  ControlFacts label = Control("TLabel");
  label.windowed = false;
  EXPECT_EQ(DecideControl(label, {}, kAll, true).kind, SkinnerKind::None);

  ControlFacts excluded = Control("TDBComboBoxEh");
  excluded.isComboBox = true;
  EXPECT_EQ(DecideControl(excluded, {}, kAll, true).kind, SkinnerKind::None);
}

TEST(ControlKinds, NamedClassesAndEmbeddedForms) {
  EXPECT_EQ(DecideControl(Control("TTabSet"), {}, kAll, true).kind, SkinnerKind::Tab31);
  EXPECT_EQ(DecideControl(Control("TTabSet"), {}, kAll, false).kind, SkinnerKind::None);
  EXPECT_EQ(DecideControl(Control("TUpDown"), {}, kAll, true).kind, SkinnerKind::UpDown);
  EXPECT_EQ(DecideControl(Control("TProgressBar"), {}, kAll, true).kind, SkinnerKind::Progress);
  EXPECT_EQ(DecideControl(Control("TRzCheckBox"), {}, kAll, true).mode, SkinnerMode::Check);
  EXPECT_EQ(DecideControl(Control("TcxCheckBox"), {}, kAll, true).mode, SkinnerMode::Third);
  ControlFacts embedded = Control("TFrameForm");
  embedded.isForm = true;
  ControlDecision e = DecideControl(embedded, {}, kAll, true);
  EXPECT_EQ(e.kind, SkinnerKind::Box);
  EXPECT_EQ(e.children, ChildDiscovery::After);
  ControlFacts dc = Control("TDCEdit");
  dc.isForm = true;
  dc.numButtons = 1;
  EXPECT_EQ(DecideControl(dc, {}, kAll, true).kind, SkinnerKind::ComboBox);
  dc.numButtons = 0;
  EXPECT_EQ(DecideControl(dc, {}, kAll, true).mode, SkinnerMode::ByWindowHandle);
}

TEST(ControlKinds, ForeignButtonsByStyle) {
  EXPECT_EQ(DecideForeignWindow("Button", 0x0, kAll).kind, SkinnerKind::Button);   // push
  EXPECT_EQ(DecideForeignWindow("BUTTON", 0x1, kAll).kind, SkinnerKind::Button);   // default
  EXPECT_EQ(DecideForeignWindow("button", 0x3, kAll).kind, SkinnerKind::CheckBox); // auto check
  EXPECT_EQ(DecideForeignWindow("button", 0x5, kAll).kind, SkinnerKind::CheckBox); // 3-state
  EXPECT_EQ(DecideForeignWindow("button", 0x4, kAll).kind, SkinnerKind::RadioButton);
  EXPECT_EQ(DecideForeignWindow("button", 0x9, kAll).kind, SkinnerKind::RadioButton); // auto radio
  EXPECT_EQ(DecideForeignWindow("button", 0x7, kAll).kind, SkinnerKind::None);        // group box
  EXPECT_EQ(DecideForeignWindow("button", 0xB, kAll).kind, SkinnerKind::None);        // owner-drawn
  EXPECT_EQ(DecideForeignWindow("button", 0x80, kAll).kind, SkinnerKind::None);       // bitmap
  // The type decides, not its bits: a push box is a push button; split buttons and command
  // links keep their own parts.
  EXPECT_EQ(DecideForeignWindow("button", 0xA, kAll).kind, SkinnerKind::Button); // push box
  for (std::uint32_t type : {0xCu, 0xDu, 0xEu, 0xFu}) // (default) split, (default) command link
    EXPECT_EQ(DecideForeignWindow("button", type, kAll).kind, SkinnerKind::None) << type;
  EXPECT_EQ(DecideForeignWindow("button", 0x6, kAll).kind, SkinnerKind::CheckBox); // auto 3-state
  EXPECT_EQ(DecideForeignWindow("button", 0x3, Without(xcCheckBox)).kind, SkinnerKind::None);
}

TEST(ControlKinds, ForeignWindowsByClass) {
  EXPECT_EQ(DecideForeignWindow("ComboBox", 0x2, kAll).kind, SkinnerKind::ComboBox);
  EXPECT_EQ(DecideForeignWindow("ComboBox", 0x1, kAll).kind, SkinnerKind::None); // simple combo
  EXPECT_EQ(DecideForeignWindow("ComboBoxEx32", 0, kAll).mode, SkinnerMode::InnerWindow);
  EXPECT_EQ(DecideForeignWindow("ScrollBar", 0x10, kAll).kind, SkinnerKind::Sizer);
  EXPECT_EQ(DecideForeignWindow("ScrollBar", 0x00010000, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("SysTreeView32", 0, kAll).kind, SkinnerKind::None);
  ControlDecision dialog = DecideForeignWindow("#32770", 0, kAll);
  EXPECT_EQ(dialog.kind, SkinnerKind::BoxH);
  EXPECT_EQ(dialog.children, ChildDiscovery::Before);
  EXPECT_TRUE(DecideForeignWindow("TPanel", 0, kAll).buttonFaceColour);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", 0, kAll).kind, SkinnerKind::Tab);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", 0x2000, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("ToolbarWindow32", 0, kAll).kind, SkinnerKind::BoxH);
  EXPECT_EQ(DecideForeignWindow("Edit", 0, kAll).kind, SkinnerKind::Edit);
  EXPECT_EQ(DecideForeignWindow("Edit", 0, Without(xcEdit)).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("Static", 0, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("SHELLDLL_DefView", 0, kAll).children, ChildDiscovery::Before);
  EXPECT_EQ(DecideForeignWindow("SysListView32", 0, kAll).kind, SkinnerKind::Scrollbar);
  EXPECT_EQ(DecideForeignWindow("SysListView32", 0, kAll).mode, SkinnerMode::ListView);
  EXPECT_EQ(DecideForeignWindow("ListBox", 0, kAll).mode, SkinnerMode::Normal);
  EXPECT_EQ(DecideForeignWindow("ListBox", 0, Without(xcScrollbar)).kind, SkinnerKind::None);
}

TEST(ControlKinds, TabControlsPagesStatusBarsAndHeadersOfOurOwn) {
  constexpr std::uint32_t buttons = 0x0100; // TCS_BUTTONS
  ControlFacts tabs = Control("TPageControl");
  tabs.isTabControl = true;
  EXPECT_EQ(DecideControl(tabs, {}, kAll, true).kind, SkinnerKind::Tab);
  EXPECT_EQ(DecideControl(tabs, {}, kAll, false).kind, SkinnerKind::None); // no Tabs element
  EXPECT_EQ(DecideControl(tabs, {}, Without(xcTab), true).kind, SkinnerKind::None);
  tabs.style = buttons;
  EXPECT_EQ(DecideControl(tabs, {}, kAll, true).kind, SkinnerKind::TabBtn);
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=tab"}, kAll, true).kind, SkinnerKind::Tab);
  ControlFacts mapped = Control("TT");
  mapped.style = buttons;
  EXPECT_EQ(DecideControl(mapped, {"TT=tab"}, kAll, true).kind, SkinnerKind::TabBtn);

  ControlFacts sheet = Control("TTabSheet");
  EXPECT_EQ(DecideControl(sheet, {}, kAll, true).kind, SkinnerKind::None); // not on a page control
  sheet.isPageOfTabs = true;
  const ControlDecision page = DecideControl(sheet, {}, kAll, true);
  EXPECT_EQ(page.kind, SkinnerKind::TabSheet);
  EXPECT_EQ(page.children, ChildDiscovery::After);
  EXPECT_EQ(DecideControl(sheet, {}, Without(xcTab), true).kind, SkinnerKind::None);

  EXPECT_EQ(DecideControl(Control("TStatusBar"), {}, kAll, true).kind, SkinnerKind::StatusBar);
  EXPECT_EQ(DecideControl(Control("TStatusBar"), {}, Without(xcStatusBar), true).kind,
            SkinnerKind::None);
  EXPECT_EQ(DecideControl(Control("THeaderControl"), {}, kAll, true).kind, SkinnerKind::Header);
  EXPECT_EQ(DecideControl(Control("THeaderControl"), {}, Without(xcTab), true).kind,
            SkinnerKind::None);

  EXPECT_EQ(DecideForeignWindow("SysTabControl32", 0, kAll).kind, SkinnerKind::Tab);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", buttons, kAll).kind, SkinnerKind::TabBtn);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", buttons | 0x2000, kAll).kind,
            SkinnerKind::None); // owner-drawn tabs draw themselves
}
