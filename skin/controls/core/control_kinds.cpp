#include "skin/controls/core/control_kinds.h"

#include "skin/data/core/skin_text.h"

#include <optional>
#include <span>

namespace skin {

namespace {

constexpr std::uint32_t kTabStop = 0x00010000;   // WS_TABSTOP
constexpr std::uint32_t kHScroll = 0x00100000;   // WS_HSCROLL
constexpr std::uint32_t kVScroll = 0x00200000;   // WS_VSCROLL
constexpr std::uint32_t kOwnerDrawTabs = 0x2000; // TCS_OWNERDRAWFIXED
constexpr std::uint32_t kButtonTabs = 0x0100;    // TCS_BUTTONS
constexpr std::uint32_t kButtonTypeMask = 0xF;   // BS_TYPEMASK
// Button types (the style's low four bits).
enum : std::uint32_t {
  kPushButton = 0x0,      // BS_PUSHBUTTON
  kDefPushButton = 0x1,   // BS_DEFPUSHBUTTON
  kCheckBox = 0x2,        // BS_CHECKBOX
  kAutoCheckBox = 0x3,    // BS_AUTOCHECKBOX
  kRadioButton = 0x4,     // BS_RADIOBUTTON
  k3State = 0x5,          // BS_3STATE
  kAuto3State = 0x6,      // BS_AUTO3STATE
  kGroupBoxButton = 0x7,  // BS_GROUPBOX
  kUserButton = 0x8,      // BS_USERBUTTON
  kAutoRadioButton = 0x9, // BS_AUTORADIOBUTTON
  kPushBox = 0xA,         // BS_PUSHBOX
  kOwnerDrawButton = 0xB, // BS_OWNERDRAW
  kSplitButton = 0xC,     // BS_SPLITBUTTON
  kDefSplitButton = 0xD,  // BS_DEFSPLITBUTTON
  kCommandLink = 0xE,     // BS_COMMANDLINK
  kDefCommandLink = 0xF,  // BS_DEFCOMMANDLINK
};
constexpr std::uint32_t kBitmapButton = 0x80; // BS_BITMAP
constexpr std::uint32_t kComboTypeMask = 0x3;
constexpr std::uint32_t kSimpleCombo = 0x1; // CBS_SIMPLE
constexpr std::size_t kMaxKindLength = 50;

using K = SkinnerKind;
using M = SkinnerMode;
using C = ChildDiscovery;

ControlDecision Make(SkinnerKind kind, SkinnerMode mode = M::Normal,
                     ChildDiscovery children = C::None) {
  ControlDecision d;
  d.kind = kind;
  d.mode = mode;
  d.children = children;
  return d;
}

ControlDecision Transparent(ControlDecision d) {
  d.setTransparent = true;
  return d;
}

ControlDecision FaceColour(ControlDecision d) {
  d.buttonFaceColour = true;
  return d;
}

// What a rule looks at: the control, and the name its table matches (the class map's kind in
// lower case, the control's class in upper case, or a foreign window's class in lower case).
struct TRuleInput {
  const ControlFacts& control;
  std::string name;
  TSkinControlTypes members;
  bool skinHasTabs = false;
};

// One row of a kind table: which controls it is for (a name, a condition, or both), the
// SkinControls member the skin must have, and what those controls get. `refine` finishes
// decisions that depend on the control.
struct TKindRule {
  const char* name = nullptr;                            // null: any name
  bool (*when)(const TRuleInput&) = nullptr;             // null: always
  std::optional<TSkinControlType> member = std::nullopt; // none: no member needed
  ControlDecision decision = {};                         // the default decision: unskinned
  void (*refine)(ControlDecision&, const TRuleInput&) = nullptr;

  bool Matches(const TRuleInput& in) const {
    return (!name || in.name == name) && (!when || when(in));
  }
};

// What a table does when the first rule that matches wants a member the skin lacks.
enum class TMissingMember {
  Unskinned, // the control stays unskinned
  NextRule,  // the rules after it are tried
};

// The first rule of `rules` that matches decides.
ControlDecision FirstRule(std::span<const TKindRule> rules, const TRuleInput& in,
                          TMissingMember missing) {
  for (const TKindRule& rule : rules) {
    if (!rule.Matches(in)) continue;
    if (rule.member && !in.members.Contains(*rule.member)) {
      if (missing == TMissingMember::NextRule) continue;
      return {};
    }
    ControlDecision d = rule.decision;
    if (rule.refine) rule.refine(d, in);
    return d;
  }
  return {};
}

// Conditions and refinements the tables share.
bool SkinHasTabs(const TRuleInput& in) {
  return in.skinHasTabs;
}
bool HasBorder(const TRuleInput& in) {
  return in.control.hasBorder;
}
bool WindowHasScrollBars(const TRuleInput& in) {
  return HasScrollBars(in.control);
}
bool NoTabStop(const TRuleInput& in) {
  return !(in.control.style & kTabStop);
}
bool TrzGroup(const TRuleInput& in) {
  return AsciiUpper(in.control.className).find("TRZ") != std::string::npos;
}
// A tab control shows its tabs as buttons when its style says so.
void TabsByStyle(ControlDecision& d, const TRuleInput& in) {
  d.kind = (in.control.style & kButtonTabs) ? K::TabBtn : K::Tab;
}
void ListViewBars(ControlDecision& d, const TRuleInput& in) {
  if (in.control.isListView) d.mode = M::ListView;
}

// --- The class map: a Skin3rd line names a kind for a class. A kind whose member the skin lacks,
// "nil" and any other kind leave the control unskinned.

void DropDownBitButton(ControlDecision& d, const TRuleInput& in) {
  if (AsciiLower(in.control.className) == "tcxbutton" &&
      in.control.kindProperty == "cxbkDropDownButton")
    d.kind = K::MenuButton;
}
// A radio group's buttons get their skins before the group (with xcRadioButton).
void RadioGroupButtons(ControlDecision& d, const TRuleInput& in) {
  if (!in.members.Contains(xcRadioButton)) return;
  d.childKind = TrzGroup(in) ? K::ObjImage : K::RadioButton;
  d.childMode = TrzGroup(in) ? M::Radio : M::Normal;
}
// A check group's boxes get theirs with xcRadioButton; the group its own with xcGroupBox.
void CheckGroupParts(ControlDecision& d, const TRuleInput& in) {
  if (in.members.Contains(xcRadioButton)) {
    d.childKind = TrzGroup(in) ? K::ObjImage : K::CheckBox;
    d.childMode = TrzGroup(in) ? M::Check : M::Normal;
  }
  if (in.members.Contains(xcGroupBox)) d.kind = K::GroupBox;
}

// The class map gates its kinds as the skin format defines them, which is not always as the
// class rules below gate the same kind of control: a mapped "trackbar" needs xcButton (our own
// track bars xcTrackBar), a mapped "groupbox" xcGroupBox (our own group boxes xcPanel). Skins are
// written against both gates, so each table keeps its own.
const TKindRule kClassMapRules[] = {
    {"combobox", nullptr, xcCombo, Make(K::ComboBox)},
    {"comboboxex", nullptr, xcCombo, Make(K::ComboBox, M::ExtendedCombo)},
    {"edit", HasBorder, xcEdit, Make(K::Edit)},
    {"radiobutton", nullptr, xcRadioButton, Make(K::RadioButton)},
    {"panel", nullptr, xcPanel, Transparent(Make(K::Box))},
    {"trackbar", nullptr, xcButton, Transparent(Make(K::TrackBar))},
    {"button", nullptr, xcButton, Make(K::Button)},
    {"datetimepicker", nullptr, xcCombo, Make(K::DateTime)},
    {"mediaplayer", nullptr, xcButton, Make(K::MediaPlayer)},
    {"bitbtn", nullptr, xcButton, Make(K::BitButton), DropDownBitButton},
    {"pngbitbtn", nullptr, xcButton, Make(K::BitButton, M::PngGlyph)},
    {"pngspeedbutton", nullptr, xcButton, Make(K::SpeedButton, M::PngGlyph)},
    {"menubtn", nullptr, xcButton, Make(K::MenuButton)},
    {"speedbutton", nullptr, xcSpeedButton, Make(K::SpeedButton)},
    {"tab", SkinHasTabs, xcTab, Make(K::Tab), TabsByStyle},
    {"progress", nullptr, xcProgress, Make(K::Progress)},
    {"scrollbar", nullptr, xcScrollbar, Make(K::Scrollbar, M::Normal, C::After), ListViewBars},
    {"singlescrollbar", nullptr, xcScrollbar, Make(K::Scrollbar, M::Single)},
    {"embedscrollbar", nullptr, xcScrollbar, Make(K::EmbedScrollbar)},
    {"container", nullptr, std::nullopt, Make(K::ChildrenOnly, M::Normal, C::Before)},
    {"groupbox", nullptr, xcGroupBox, Make(K::GroupBox)},
    {"advpagecontrol", nullptr, xcTab, Make(K::AdvPage)},
    {"radiogroup", nullptr, xcGroupBox, Make(K::GroupBox), RadioGroupButtons},
    {"checkgroup", nullptr, xcPanel, {}, CheckGroupParts},
    {"checkbox", nullptr, xcCheckBox, Make(K::CheckBox)},
};

// --- The class rules for the program's own controls (names in upper case; "is a ..." holds for a
// class and its descendants). A rule whose member the skin lacks falls through to the next.

// The control is that kind of framework control.
template <bool ControlFacts::*fact> bool Is(const TRuleInput& in) {
  return in.control.*fact;
}

bool IsTabControl(const TRuleInput& in) {
  return in.control.isTabControl && in.skinHasTabs;
}
bool DcEdit(const TRuleInput& in) {
  return in.name == "TDCEDIT" || in.name == "TDCDBEDIT";
}
bool IsEmbeddedForm(const TRuleInput& in) {
  return in.control.isForm && !DcEdit(in);
}
bool DcEditWithButton(const TRuleInput& in) {
  return DcEdit(in) && in.control.numButtons == 1;
}
bool DcEditWithoutButton(const TRuleInput& in) {
  return DcEdit(in) && in.control.numButtons == 0;
}

const TKindRule kClassRules[] = {
    {"TDBCOMBOBOXEH"},
    {"TFRDESIGNERPAGE"},
    {"TFRPBOX"},
    {"TTABSET", SkinHasTabs, xcTab, Make(K::Tab31)},
    {"TTABBEDNOTEBOOK", SkinHasTabs, xcTab, Make(K::Tab)},
    {nullptr, IsTabControl, xcTab, Make(K::Tab), TabsByStyle},
    {"TTABSHEET", Is<&ControlFacts::isPageOfTabs>, xcTab, Make(K::TabSheet, M::Normal, C::After)},
    {"TSTATUSBAR", nullptr, xcStatusBar, Make(K::StatusBar)},
    {"THEADERCONTROL", nullptr, xcTab, Make(K::Header)},
    {"TMVCPANEL", nullptr, std::nullopt, Make(K::ChildrenOnly, M::Normal, C::Before)},
    {nullptr, Is<&ControlFacts::isTrackBar>, xcTrackBar, Make(K::TrackBar)},
    {"TUPDOWN", nullptr, xcSpin, Make(K::UpDown)},
    {"TSPINBUTTON", nullptr, xcSpin, Make(K::UpDown)},
    {"TPROGRESSBAR", nullptr, xcProgress, Make(K::Progress)},
    {"TMEDIAPLAYER", nullptr, xcButton, Make(K::MediaPlayer)},
    {"TDBNAVIGATOR", nullptr, xcPanel, Make(K::Box, M::Normal, C::After)},
    {"TRZDBCHECKBOX", nullptr, xcCheckBox, Make(K::ObjImage, M::Check)},
    {"TRZCHECKBOX", nullptr, xcCheckBox, Make(K::ObjImage, M::Check)},
    {"TRZRADIOBUTTON", nullptr, xcRadioButton, Make(K::ObjImage, M::Radio)},
    {"TRZDBRADIOBUTTON", nullptr, xcRadioButton, Make(K::ObjImage, M::Radio)},
    {"TCXDBCHECKBOX", nullptr, xcCheckBox, Make(K::ObjImage, M::Third)},
    {"TCXCHECKBOX", nullptr, xcCheckBox, Make(K::ObjImage, M::Third)},
    {nullptr, Is<&ControlFacts::isGroupBox>, xcPanel, Make(K::GroupBox, M::Normal, C::Before)},
    {nullptr, Is<&ControlFacts::isRadioButton>, xcRadioButton, Make(K::RadioButton)},
    {nullptr, Is<&ControlFacts::isCheckBox>, xcCheckBox, Make(K::CheckBox)},
    {"TTNTCOMBOBOX", nullptr, xcCombo, Make(K::ComboBox)},
    {nullptr, Is<&ControlFacts::isComboBox>, xcCombo, Make(K::ComboBox)},
    {"TRICHEDIT", nullptr, xcScrollbar, Make(K::Scrollbar)},
    {"TWWDBRICHEDIT", nullptr, xcScrollbar, Make(K::Scrollbar)},
    {"TDXDBMEMO", nullptr, xcScrollbar, Make(K::Scrollbar)},
    {nullptr, Is<&ControlFacts::isPanel>, xcPanel, Make(K::Box, M::Normal, C::Before)},
    {"TDXTREELIST", nullptr, xcScrollbar, Make(K::Scrollbar)},
    {"TDXDBTREELIST", nullptr, xcScrollbar, Make(K::Scrollbar)},
    {"TDXDBGRID", nullptr, xcScrollbar, Make(K::Scrollbar)},
    {nullptr, Is<&ControlFacts::isListView>, xcScrollbar, Make(K::Scrollbar, M::ListView)},
    {nullptr, Is<&ControlFacts::isMemo>, xcScrollbar, Make(K::Scrollbar)},
    {nullptr, WindowHasScrollBars, xcScrollbar, Make(K::Scrollbar)},
    {nullptr, Is<&ControlFacts::isPushButton>, xcButton, Make(K::Button)},
    {nullptr, Is<&ControlFacts::isEdit>, xcEdit, Make(K::Edit)},
    {nullptr, IsEmbeddedForm, std::nullopt, Make(K::Box, M::Normal, C::After)},
    {nullptr, DcEditWithButton, xcCombo, Make(K::ComboBox)},
    {nullptr, DcEditWithoutButton, xcEdit, Make(K::Edit, M::ByWindowHandle)},
};

// --- Foreign child windows (inside system dialogs), by lower-case window class and style. A rule
// whose member the skin lacks leaves the window unskinned.

std::uint32_t ButtonType(const TRuleInput& in) {
  return in.control.style & kButtonTypeMask;
}
// Owner-drawn buttons draw themselves; group boxes and bitmap buttons keep their look, and so do
// split buttons and command links, whose parts (the split, the arrow, the note) a push-button
// face would cover.
bool DrawsItself(const TRuleInput& in) {
  switch (ButtonType(in)) {
  case kOwnerDrawButton:
  case kGroupBoxButton:
  case kSplitButton:
  case kDefSplitButton:
  case kCommandLink:
  case kDefCommandLink:
    return true;
  default:
    return (in.control.style & kBitmapButton) != 0;
  }
}
bool CheckBoxStyle(const TRuleInput& in) {
  const std::uint32_t type = ButtonType(in);
  return type == kCheckBox || type == kAutoCheckBox || type == k3State || type == kAuto3State;
}
bool RadioStyle(const TRuleInput& in) {
  return ButtonType(in) == kRadioButton || ButtonType(in) == kAutoRadioButton;
}
bool SimpleCombo(const TRuleInput& in) {
  return (in.control.style & kComboTypeMask) == kSimpleCombo;
}
bool DrawnTabs(const TRuleInput& in) {
  return !(in.control.style & kOwnerDrawTabs);
}

const TKindRule kForeignRules[] = {
    {"button", DrawsItself},
    {"button", CheckBoxStyle, xcCheckBox, Make(K::CheckBox)},
    {"button", RadioStyle, xcRadioButton, Make(K::RadioButton)},
    {"button", nullptr, xcButton, Make(K::Button)},
    {"combobox", SimpleCombo},
    {"combobox", nullptr, xcCombo, Make(K::ComboBox)},
    {"comboboxex32", nullptr, xcCombo, Make(K::ComboBox, M::InnerWindow)},
    {"scrollbar", NoTabStop, std::nullopt, Make(K::Sizer)},
    {"systreeview32"},
    {"#32770", NoTabStop, std::nullopt, Make(K::BoxH, M::Normal, C::Before)},
    {"tpanel", nullptr, std::nullopt, FaceColour(Make(K::ChildrenOnly, M::Normal, C::Before))},
    {"ttntpanel.unicodeclass", nullptr, std::nullopt,
     FaceColour(Make(K::ChildrenOnly, M::Normal, C::Before))},
    {"ttntsilentpaintpanel.unicodeclass", nullptr, std::nullopt,
     FaceColour(Make(K::ChildrenOnly, M::Normal, C::Before))},
    {"tcheckbox", nullptr, xcCheckBox, Make(K::CheckBox)},
    {"tcombobox", nullptr, xcCombo, Make(K::ComboBox)},
    {"tbutton", nullptr, xcButton, Make(K::Button)},
    {"tprogressbar", nullptr, std::nullopt, Make(K::Progress)},
    {"tsilentpaintpanel", nullptr, std::nullopt, FaceColour({})},
    {"systabcontrol32", DrawnTabs, xcTab, Make(K::Tab), TabsByStyle},
    {"toolbarwindow32", nullptr, std::nullopt, Make(K::BoxH)},
    {"edit", nullptr, xcEdit, Make(K::Edit)},
    // The shell's file view inside file dialogs holds a list view whose bars are skinned.
    {"shelldll_defview", nullptr, std::nullopt, Make(K::ChildrenOnly, M::Normal, C::Before)},
    {"syslistview32", nullptr, xcScrollbar, Make(K::Scrollbar, M::ListView)},
    {"listbox", nullptr, xcScrollbar, Make(K::Scrollbar)},
};

std::optional<std::string> FindClassMapKind(const std::vector<std::string>& skin3rd,
                                            const std::string& className) {
  const std::string prefix = AsciiLower(className) + "=";
  for (const std::string& line : skin3rd) {
    if (AsciiLower(line).compare(0, prefix.size(), prefix) != 0) continue;
    return line.substr(line.find('=') + 1, kMaxKindLength);
  }
  return std::nullopt;
}

} // namespace

bool HasScrollBars(const ControlFacts& control) {
  return (control.windowed && (control.style & (kVScroll | kHScroll))) || control.isListBox ||
         control.isMemo;
}

std::string ClassMapKind(const std::vector<std::string>& skin3rd, const std::string& className) {
  return FindClassMapKind(skin3rd, className).value_or("");
}

ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::string>& skin3rd,
                              TSkinControlTypes members, bool skinHasTabs) {
  if (auto kind = FindClassMapKind(skin3rd, control.className)) {
    ControlDecision d =
        FirstRule(kClassMapRules, {control, AsciiLower(*kind), members, skinHasTabs},
                  TMissingMember::Unskinned);
    d.fromClassMap = true; // even when the line said nil
    return d;
  }
  return FirstRule(kClassRules, {control, AsciiUpper(control.className), members, skinHasTabs},
                   TMissingMember::NextRule);
}

ControlDecision DecideForeignWindow(const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members) {
  ControlFacts window;
  window.className = windowClass;
  window.windowed = true;
  window.style = style;
  return FirstRule(kForeignRules, {window, AsciiLower(windowClass), members, false},
                   TMissingMember::Unskinned);
}

} // namespace skin
