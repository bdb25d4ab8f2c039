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
  EXPECT_EQ(DecideControl(grid, {}, kAll, true).kind, "Scrollbar"_kind);
  ControlDecision d = DecideControl(grid, {"TMyGrid=nil"}, kAll, true);
  EXPECT_EQ(d.kind, SkinnerKind::None);
  EXPECT_TRUE(d.fromClassMap);
}

TEST(ControlKinds, ClassMapKindsNeedTheirMember) {
  ControlFacts c = Control("TThirdCombo");
  const std::vector<std::string> map = {"TThirdCombo=ComboBox"};
  EXPECT_EQ(DecideControl(c, map, kAll, true).kind, "ComboBox"_kind);
  EXPECT_EQ(DecideControl(c, map, Without(xcCombo), true).kind, SkinnerKind::None);
  // The track bar kind is switched by xcButton, and makes the control transparent first.
  ControlDecision track =
      DecideControl(Control("TThirdTrack"), {"TThirdTrack=trackbar"}, kAll, true);
  EXPECT_EQ(track.kind, "TrackBar"_kind);
  EXPECT_TRUE(track.setTransparent);
  EXPECT_EQ(
      DecideControl(Control("TThirdTrack"), {"TThirdTrack=trackbar"}, Without(xcButton), true).kind,
      SkinnerKind::None);
  // Edits are skinned only when they have a border.
  ControlFacts edit = Control("TThirdEdit");
  EXPECT_EQ(DecideControl(edit, {"TThirdEdit=edit"}, kAll, true).kind, SkinnerKind::None);
  edit.hasBorder = true;
  EXPECT_EQ(DecideControl(edit, {"TThirdEdit=edit"}, kAll, true).kind, "Edit"_kind);
  // Tabs only when the skin has a Tabs element; unknown kinds stay unskinned.
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=tab"}, kAll, false).kind, SkinnerKind::None);
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=tab"}, kAll, true).kind, "Tab"_kind);
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=frobnicator"}, kAll, true).kind, SkinnerKind::None);
}

TEST(ControlKinds, GroupsGiveTheirChildrenASkinnerFirst) {
  ControlDecision radio =
      DecideControl(Control("TMyRadioGroup"), {"TMyRadioGroup=radiogroup"}, kAll, true);
  EXPECT_EQ(radio.kind, "GroupBox"_kind);
  EXPECT_EQ(radio.childKind, "RadioButton"_kind);
  ControlDecision trz =
      DecideControl(Control("TRzRadioGroup"), {"TRzRadioGroup=radiogroup"}, kAll, true);
  EXPECT_EQ(trz.childKind, "ObjImage"_kind);
  EXPECT_EQ(trz.childMode, "Radio"_mode);
  ControlDecision check = DecideControl(Control("TMyCheckGroup"), {"TMyCheckGroup=checkgroup"},
                                        Without(xcGroupBox), true);
  EXPECT_EQ(check.kind, SkinnerKind::None);    // no group skinner without xcGroupBox ...
  EXPECT_EQ(check.childKind, "CheckBox"_kind); // ... but the children still get theirs
  EXPECT_EQ(
      DecideControl(Control("TMyCheckGroup"), {"TMyCheckGroup=checkgroup"}, Without(xcPanel), true),
      ControlDecision{.fromClassMap = true});
}

TEST(ControlKinds, BitButtonBecomesAMenuButtonOnlyForDropDownCxButtons) {
  ControlFacts cx = Control("TcxButton");
  cx.kindProperty = "cxbkDropDownButton";
  EXPECT_EQ(DecideControl(cx, {"TcxButton=bitbtn"}, kAll, true).kind, "MenuButton"_kind);
  cx.kindProperty = "cxbkStandard";
  EXPECT_EQ(DecideControl(cx, {"TcxButton=bitbtn"}, kAll, true).kind, "BitButton"_kind);
  ControlFacts other = Control("TOtherButton");
  other.kindProperty = "cxbkDropDownButton";
  EXPECT_EQ(DecideControl(other, {"TOtherButton=bitbtn"}, kAll, true).kind, "BitButton"_kind);
}

TEST(ControlKinds, ProgramControlsFollowTheClassRulesInOrder) {
  ControlFacts button = Control("TButton");
  button.Add("PushButton");
  EXPECT_EQ(DecideControl(button, {}, kAll, true).kind, "Button"_kind);
  EXPECT_EQ(DecideControl(button, {}, Without(xcButton), true).kind, SkinnerKind::None);

  ControlFacts track = Control("TTrackBar");
  track.Add("TrackBar");
  EXPECT_EQ(DecideControl(track, {}, kAll, true).kind, "TrackBar"_kind);

  ControlFacts group = Control("TGroupBox");
  group.Add("GroupBox");
  ControlDecision g = DecideControl(group, {}, kAll, true);
  EXPECT_EQ(g.kind, "GroupBox"_kind);
  EXPECT_EQ(g.children, ChildDiscovery::Before);
  EXPECT_EQ(DecideControl(group, {}, Without(xcPanel), true).kind, SkinnerKind::None);

  // A memo is a scroll-bar case; a rule whose member is missing falls through to the next.
  ControlFacts memo = Control("TMemo");
  memo.Add("Memo");
  memo.Add("Edit");
  EXPECT_EQ(DecideControl(memo, {}, kAll, true).kind, "Scrollbar"_kind);
  EXPECT_EQ(DecideControl(memo, {}, Without(xcScrollbar), true).kind, "Edit"_kind);

  ControlFacts list = Control("TListBox");
  list.Add("ListBox");
  EXPECT_EQ(DecideControl(list, {}, kAll, true).kind, "Scrollbar"_kind);

  // A list view gets its bars and its header skinned, bars or not (they come with items).
  ControlFacts view = Control("TListView");
  view.Add("ListView");
  const ControlDecision v = DecideControl(view, {}, kAll, true);
  EXPECT_EQ(v.kind, "Scrollbar"_kind);
  EXPECT_EQ(v.mode, "ListView"_mode);
  EXPECT_EQ(DecideControl(view, {"TListView=scrollbar"}, kAll, true).mode, "ListView"_mode);
  EXPECT_EQ(DecideControl(view, {}, Without(xcScrollbar), true).kind, SkinnerKind::None);

  ControlFacts combo = Control("TComboBox");
  combo.Add("ComboBox");
  EXPECT_EQ(DecideControl(combo, {}, kAll, true).kind, "ComboBox"_kind);

  ControlFacts label = Control("TLabel");
  label.windowed = false;
  EXPECT_EQ(DecideControl(label, {}, kAll, true).kind, SkinnerKind::None);

  ControlFacts excluded = Control("TDBComboBoxEh");
  excluded.Add("ComboBox");
  EXPECT_EQ(DecideControl(excluded, {}, kAll, true).kind, SkinnerKind::None);
}

TEST(ControlKinds, NamedClassesAndEmbeddedForms) {
  EXPECT_EQ(DecideControl(Control("TTabSet"), {}, kAll, true).kind, "Tab31"_kind);
  EXPECT_EQ(DecideControl(Control("TTabSet"), {}, kAll, false).kind, SkinnerKind::None);
  EXPECT_EQ(DecideControl(Control("TUpDown"), {}, kAll, true).kind, "UpDown"_kind);
  EXPECT_EQ(DecideControl(Control("TProgressBar"), {}, kAll, true).kind, "Progress"_kind);
  EXPECT_EQ(DecideControl(Control("TRzCheckBox"), {}, kAll, true).mode, "Check"_mode);
  EXPECT_EQ(DecideControl(Control("TcxCheckBox"), {}, kAll, true).mode, "Third"_mode);
  ControlFacts embedded = Control("TFrameForm");
  embedded.Add("Form");
  ControlDecision e = DecideControl(embedded, {}, kAll, true);
  EXPECT_EQ(e.kind, "Box"_kind);
  EXPECT_EQ(e.children, ChildDiscovery::After);
  ControlFacts dc = Control("TDCEdit");
  dc.Add("Form");
  dc.numButtons = 1;
  EXPECT_EQ(DecideControl(dc, {}, kAll, true).kind, "ComboBox"_kind);
  dc.numButtons = 0;
  EXPECT_EQ(DecideControl(dc, {}, kAll, true).mode, "ByWindowHandle"_mode);
}

TEST(ControlKinds, ForeignButtonsByStyle) {
  EXPECT_EQ(DecideForeignWindow("Button", 0x0, kAll).kind, "Button"_kind);   // push
  EXPECT_EQ(DecideForeignWindow("BUTTON", 0x1, kAll).kind, "Button"_kind);   // default
  EXPECT_EQ(DecideForeignWindow("button", 0x3, kAll).kind, "CheckBox"_kind); // auto check
  EXPECT_EQ(DecideForeignWindow("button", 0x5, kAll).kind, "CheckBox"_kind); // 3-state
  EXPECT_EQ(DecideForeignWindow("button", 0x4, kAll).kind, "RadioButton"_kind);
  EXPECT_EQ(DecideForeignWindow("button", 0x9, kAll).kind, "RadioButton"_kind); // auto radio
  EXPECT_EQ(DecideForeignWindow("button", 0x7, kAll).kind, SkinnerKind::None);  // group box
  EXPECT_EQ(DecideForeignWindow("button", 0xB, kAll).kind, SkinnerKind::None);  // owner-drawn
  EXPECT_EQ(DecideForeignWindow("button", 0x80, kAll).kind, SkinnerKind::None); // bitmap
  // The type decides, not its bits: a push box is a push button; split buttons and command
  // links keep their own parts.
  EXPECT_EQ(DecideForeignWindow("button", 0xA, kAll).kind, "Button"_kind); // push box
  for (std::uint32_t type : {0xCu, 0xDu, 0xEu, 0xFu}) // (default) split, (default) command link
    EXPECT_EQ(DecideForeignWindow("button", type, kAll).kind, SkinnerKind::None) << type;
  EXPECT_EQ(DecideForeignWindow("button", 0x6, kAll).kind, "CheckBox"_kind); // auto 3-state
  EXPECT_EQ(DecideForeignWindow("button", 0x3, Without(xcCheckBox)).kind, SkinnerKind::None);
}

TEST(ControlKinds, ForeignWindowsByClass) {
  EXPECT_EQ(DecideForeignWindow("ComboBox", 0x2, kAll).kind, "ComboBox"_kind);
  EXPECT_EQ(DecideForeignWindow("ComboBox", 0x1, kAll).kind, SkinnerKind::None); // simple combo
  EXPECT_EQ(DecideForeignWindow("ComboBoxEx32", 0, kAll).mode, "InnerWindow"_mode);
  EXPECT_EQ(DecideForeignWindow("ScrollBar", 0x10, kAll).kind, "Sizer"_kind);
  EXPECT_EQ(DecideForeignWindow("ScrollBar", 0x00010000, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("SysTreeView32", 0, kAll).kind, SkinnerKind::None);
  ControlDecision dialog = DecideForeignWindow("#32770", 0, kAll);
  EXPECT_EQ(dialog.kind, "BoxH"_kind);
  EXPECT_EQ(dialog.children, ChildDiscovery::Before);
  EXPECT_TRUE(DecideForeignWindow("TPanel", 0, kAll).buttonFaceColour);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", 0, kAll).kind, "Tab"_kind);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", 0x2000, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("ToolbarWindow32", 0, kAll).kind, "BoxH"_kind);
  EXPECT_EQ(DecideForeignWindow("Edit", 0, kAll).kind, "Edit"_kind);
  EXPECT_EQ(DecideForeignWindow("Edit", 0, Without(xcEdit)).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("Static", 0, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(DecideForeignWindow("SHELLDLL_DefView", 0, kAll).children, ChildDiscovery::Before);
  EXPECT_EQ(DecideForeignWindow("SysListView32", 0, kAll).kind, "Scrollbar"_kind);
  EXPECT_EQ(DecideForeignWindow("SysListView32", 0, kAll).mode, "ListView"_mode);
  EXPECT_EQ(DecideForeignWindow("ListBox", 0, kAll).mode, SkinnerMode::Normal);
  EXPECT_EQ(DecideForeignWindow("ListBox", 0, Without(xcScrollbar)).kind, SkinnerKind::None);
}

TEST(ControlKinds, TabControlsPagesStatusBarsAndHeadersOfOurOwn) {
  constexpr std::uint32_t buttons = 0x0100; // TCS_BUTTONS
  ControlFacts tabs = Control("TPageControl");
  tabs.Add("TabControl");
  EXPECT_EQ(DecideControl(tabs, {}, kAll, true).kind, "Tab"_kind);
  EXPECT_EQ(DecideControl(tabs, {}, kAll, false).kind, SkinnerKind::None); // no Tabs element
  EXPECT_EQ(DecideControl(tabs, {}, Without(xcTab), true).kind, SkinnerKind::None);
  tabs.style = buttons;
  EXPECT_EQ(DecideControl(tabs, {}, kAll, true).kind, "TabBtn"_kind);
  EXPECT_EQ(DecideControl(Control("TT"), {"TT=tab"}, kAll, true).kind, "Tab"_kind);
  ControlFacts mapped = Control("TT");
  mapped.style = buttons;
  EXPECT_EQ(DecideControl(mapped, {"TT=tab"}, kAll, true).kind, "TabBtn"_kind);

  ControlFacts sheet = Control("TTabSheet");
  EXPECT_EQ(DecideControl(sheet, {}, kAll, true).kind, SkinnerKind::None); // not on a page control
  sheet.Add("PageOfTabs");
  const ControlDecision page = DecideControl(sheet, {}, kAll, true);
  EXPECT_EQ(page.kind, "TabSheet"_kind);
  EXPECT_EQ(page.children, ChildDiscovery::After);
  EXPECT_EQ(DecideControl(sheet, {}, Without(xcTab), true).kind, SkinnerKind::None);

  EXPECT_EQ(DecideControl(Control("TStatusBar"), {}, kAll, true).kind, "StatusBar"_kind);
  EXPECT_EQ(DecideControl(Control("TStatusBar"), {}, Without(xcStatusBar), true).kind,
            SkinnerKind::None);
  EXPECT_EQ(DecideControl(Control("THeaderControl"), {}, kAll, true).kind, "Header"_kind);
  EXPECT_EQ(DecideControl(Control("THeaderControl"), {}, Without(xcTab), true).kind,
            SkinnerKind::None);

  EXPECT_EQ(DecideForeignWindow("SysTabControl32", 0, kAll).kind, "Tab"_kind);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", buttons, kAll).kind, "TabBtn"_kind);
  EXPECT_EQ(DecideForeignWindow("SysTabControl32", buttons | 0x2000, kAll).kind,
            SkinnerKind::None); // owner-drawn tabs draw themselves
}

namespace {

// Two made-up kinds whose rules stand among each other by rank, as a kind's unit brings them.
bool IsGadget(const TRuleInput& in) {
  return in.control.Has("Gadget");
}
constexpr TKindRule kLateClasses[] = {
    {10, "TGADGET", nullptr, xcButton, Decide("Late"_kind)},
    {30, nullptr, IsGadget, std::nullopt, Decide("Late"_kind)},
};
constexpr TKindRule kEarlyClasses[] = {
    {20, nullptr, IsGadget, xcPanel,
     Decide("Early"_kind, SkinnerMode::Normal, ChildDiscovery::After)},
    {30, nullptr, IsGadget, std::nullopt, Decide("Early"_kind)},
};
constexpr TKindRule kEarlyForeign[] = {
    {10, "gadgetwindow", nullptr, xcPanel, Decide("Early"_kind)}};
constexpr TLateWindowRule kEarlyLate[] = {{"GadgetWindow", 0x10, TLateOffer::AtCreation}};
const TKindRules kLate{{}, kLateClasses, {}, {}};
const TKindRules kEarly{{}, kEarlyClasses, kEarlyForeign, kEarlyLate};

} // namespace

TEST(ControlKinds, RulesOfAllKindsAreTriedByRankThenByTheTablesOrder) {
  const TKindRules* kinds[] = {&kLate, &kEarly};
  ControlFacts gadget = Control("TGadget");
  EXPECT_EQ(DecideControl(kinds, gadget, {}, kAll, true).kind, "Late"_kind); // rank 10
  EXPECT_EQ(DecideControl(kinds, gadget, {}, Without(xcButton), true).kind, SkinnerKind::None);
  gadget.Add("Gadget");
  // Rank 10 wants xcButton, so rank 20 of the kind listed second comes next.
  const ControlDecision early = DecideControl(kinds, gadget, {}, Without(xcButton), true);
  EXPECT_EQ(early.kind, "Early"_kind);
  EXPECT_EQ(early.children, ChildDiscovery::After);
  // Equal ranks (30, with neither member): the kind listed first.
  TSkinControlTypes neither = Without(xcButton);
  neither.Exclude(xcPanel);
  EXPECT_EQ(DecideControl(kinds, gadget, {}, neither, true).kind, "Late"_kind);
  const TKindRules* reversed[] = {&kEarly, &kLate};
  EXPECT_EQ(DecideControl(reversed, gadget, {}, neither, true).kind, "Early"_kind);
  // A kind brings its foreign windows and its late windows too; the real table knows neither.
  EXPECT_EQ(DecideForeignWindow(kinds, "GADGETWINDOW", 0, kAll).kind, "Early"_kind);
  EXPECT_EQ(DecideForeignWindow("GadgetWindow", 0, kAll).kind, SkinnerKind::None);
  EXPECT_EQ(LateOfferFor(kinds, "gadgetwindow", 0x30), TLateOffer::AtCreation);
  EXPECT_EQ(LateOfferFor(kinds, "gadgetwindow", 0x20), TLateOffer::AsControl);
  const std::vector<SkinnerKind> named = KindsNamedByRules(kinds);
  EXPECT_EQ(named, (std::vector<SkinnerKind>{"Late"_kind, "Early"_kind}));
}

TEST(ControlKinds, LateWindowsAndEmbeddedBarsFromTheTableOfKinds) {
  EXPECT_EQ(LateOfferFor("ScrollBar", 0x50000010), TLateOffer::AtCreation); // a size grip
  EXPECT_EQ(LateOfferFor("SCROLLBAR", 0x50000001), TLateOffer::AsControl);  // a vertical bar
  EXPECT_EQ(LateOfferFor("SysListView32", 0x50000000), TLateOffer::AsWindow);
  EXPECT_EQ(LateOfferFor("TEdit", 0x50000000), TLateOffer::AsControl);

  ControlFacts memo = Control("TMemo");
  EXPECT_EQ(DecideEmbeddedBars(memo).kind, SkinnerKind::None); // no bars
  memo.Add("Memo");
  EXPECT_EQ(DecideEmbeddedBars(memo), Decide("Scrollbar"_kind));
  ControlFacts view = Control("TListView");
  view.style = 0x00200000; // WS_VSCROLL
  view.Add("ListView");
  EXPECT_EQ(DecideEmbeddedBars(view), Decide("Scrollbar"_kind, "ListView"_mode));
}
