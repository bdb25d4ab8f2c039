#include "skin/controls/core/control_kinds.h"

#include "skin/data/core/skin_text.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace skin {

namespace {

constexpr std::uint32_t kTabStop = 0x00010000;   // WS_TABSTOP
constexpr std::uint32_t kHScroll = 0x00100000;   // WS_HSCROLL
constexpr std::uint32_t kVScroll = 0x00200000;   // WS_VSCROLL
constexpr std::uint32_t kOwnerDrawTabs = 0x2000; // TCS_OWNERDRAWFIXED
constexpr std::uint32_t kButtonTabs = 0x0100;    // TCS_BUTTONS
constexpr std::size_t kMaxKindLength = 50;

// A tab control shows its tabs as buttons when its style says so.
SkinnerKind TabKind(std::uint32_t style) {
  return (style & kButtonTabs) ? SkinnerKind::TabBtn : SkinnerKind::Tab;
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
  return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

ControlDecision Make(SkinnerKind kind, SkinnerMode mode = SkinnerMode::Normal,
                     ChildDiscovery children = ChildDiscovery::None) {
  ControlDecision d;
  d.kind = kind;
  d.mode = mode;
  d.children = children;
  return d;
}

std::optional<std::string> FindClassMapKind(const std::vector<std::string>& skin3rd,
                                            const std::string& className) {
  const std::string prefix = AsciiLower(className) + "=";
  for (const std::string& line : skin3rd) {
    if (AsciiLower(line).compare(0, prefix.size(), prefix) != 0) continue;
    return line.substr(line.find('=') + 1, kMaxKindLength);
  }
  return std::nullopt;
}

// A Skin3rd kind; members that are not set leave the control unskinned.
ControlDecision DecideByClassMap(const std::string& kindText, const ControlFacts& control,
                                 TSkinControlTypes members, bool skinHasTabs) {
  const std::string kind = AsciiLower(kindText);
  const bool trzGroup = AsciiUpper(control.className).find("TRZ") != std::string::npos;
  ControlDecision d;
  auto when = [&](TSkinControlType member, ControlDecision decision) {
    if (members.Contains(member)) d = decision;
  };
  if (kind == "combobox")
    when(xcCombo, Make(SkinnerKind::ComboBox));
  else if (kind == "comboboxex")
    when(xcCombo, Make(SkinnerKind::ComboBox, SkinnerMode::ExtendedCombo));
  else if (kind == "edit") {
    if (control.hasBorder) when(xcEdit, Make(SkinnerKind::Edit));
  } else if (kind == "radiobutton")
    when(xcRadioButton, Make(SkinnerKind::RadioButton));
  else if (kind == "panel") {
    ControlDecision box = Make(SkinnerKind::Box);
    box.setTransparent = true;
    when(xcPanel, box);
  } else if (kind == "trackbar") {
    ControlDecision track = Make(SkinnerKind::TrackBar);
    track.setTransparent = true;
    when(xcButton, track);
  } else if (kind == "button")
    when(xcButton, Make(SkinnerKind::Button));
  else if (kind == "datetimepicker")
    when(xcCombo, Make(SkinnerKind::DateTime));
  else if (kind == "mediaplayer")
    when(xcButton, Make(SkinnerKind::MediaPlayer));
  else if (kind == "bitbtn") {
    const bool dropDown = AsciiLower(control.className) == "tcxbutton" &&
                          control.kindProperty == "cxbkDropDownButton";
    when(xcButton, Make(dropDown ? SkinnerKind::MenuButton : SkinnerKind::BitButton));
  } else if (kind == "pngbitbtn")
    when(xcButton, Make(SkinnerKind::BitButton, SkinnerMode::PngGlyph));
  else if (kind == "pngspeedbutton")
    when(xcButton, Make(SkinnerKind::SpeedButton, SkinnerMode::PngGlyph));
  else if (kind == "menubtn")
    when(xcButton, Make(SkinnerKind::MenuButton));
  else if (kind == "speedbutton")
    when(xcSpeedButton, Make(SkinnerKind::SpeedButton));
  else if (kind == "tab") {
    if (skinHasTabs) when(xcTab, Make(TabKind(control.style)));
  } else if (kind == "progress")
    when(xcProgress, Make(SkinnerKind::Progress));
  else if (kind == "scrollbar")
    when(xcScrollbar, Make(SkinnerKind::Scrollbar,
                           control.isListView ? SkinnerMode::ListView : SkinnerMode::Normal,
                           ChildDiscovery::After));
  else if (kind == "singlescrollbar")
    when(xcScrollbar, Make(SkinnerKind::Scrollbar, SkinnerMode::Single));
  else if (kind == "embedscrollbar")
    when(xcScrollbar, Make(SkinnerKind::EmbedScrollbar));
  else if (kind == "container")
    d = Make(SkinnerKind::ChildrenOnly, SkinnerMode::Normal, ChildDiscovery::Before);
  else if (kind == "groupbox")
    when(xcGroupBox, Make(SkinnerKind::GroupBox));
  else if (kind == "advpagecontrol")
    when(xcTab, Make(SkinnerKind::AdvPage));
  else if (kind == "radiogroup") {
    if (members.Contains(xcGroupBox)) {
      d = Make(SkinnerKind::GroupBox, SkinnerMode::Normal, ChildDiscovery::None);
      if (members.Contains(xcRadioButton)) {
        d.childKind = trzGroup ? SkinnerKind::ObjImage : SkinnerKind::RadioButton;
        d.childMode = trzGroup ? SkinnerMode::Radio : SkinnerMode::Normal;
      }
    }
  } else if (kind == "checkgroup") {
    if (members.Contains(xcPanel)) {
      if (members.Contains(xcRadioButton)) {
        d.childKind = trzGroup ? SkinnerKind::ObjImage : SkinnerKind::CheckBox;
        d.childMode = trzGroup ? SkinnerMode::Check : SkinnerMode::Normal;
      }
      if (members.Contains(xcGroupBox)) d.kind = SkinnerKind::GroupBox;
    }
  } else if (kind == "checkbox")
    when(xcCheckBox, Make(SkinnerKind::CheckBox));
  // "nil" and any other kind: unskinned.
  d.fromClassMap = true;
  return d;
}

ControlDecision DecideByClass(const ControlFacts& control, TSkinControlTypes members,
                              bool skinHasTabs) {
  const std::string name = AsciiUpper(control.className);
  if (OneOf(name, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"})) return {};
  const bool hasScrollBars = (control.windowed && (control.style & (kVScroll | kHScroll))) ||
                             control.isListBox || control.isMemo;
  const bool dcEdit = OneOf(name, {"TDCEDIT", "TDCDBEDIT"});

  struct Rule {
    bool matches;
    std::optional<TSkinControlType> member;
    ControlDecision decision;
  };
  using K = SkinnerKind;
  using M = SkinnerMode;
  using C = ChildDiscovery;
  const Rule rules[] = {
      {name == "TTABSET" && skinHasTabs, xcTab, Make(K::Tab31)},
      {name == "TTABBEDNOTEBOOK" && skinHasTabs, xcTab, Make(K::Tab)},
      {control.isTabControl && skinHasTabs, xcTab, Make(TabKind(control.style))},
      {name == "TTABSHEET" && control.isPageOfTabs, xcTab, Make(K::TabSheet, M::Normal, C::After)},
      {name == "TSTATUSBAR", xcStatusBar, Make(K::StatusBar)},
      {name == "THEADERCONTROL", xcTab, Make(K::Header)},
      {name == "TMVCPANEL", std::nullopt, Make(K::ChildrenOnly, M::Normal, C::Before)},
      {control.isTrackBar, xcTrackBar, Make(K::TrackBar)},
      {OneOf(name, {"TUPDOWN", "TSPINBUTTON"}), xcSpin, Make(K::UpDown)},
      {name == "TPROGRESSBAR", xcProgress, Make(K::Progress)},
      {name == "TMEDIAPLAYER", xcButton, Make(K::MediaPlayer)},
      {name == "TDBNAVIGATOR", xcPanel, Make(K::Box, M::Normal, C::After)},
      {OneOf(name, {"TRZDBCHECKBOX", "TRZCHECKBOX"}), xcCheckBox, Make(K::ObjImage, M::Check)},
      {OneOf(name, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}), xcRadioButton,
       Make(K::ObjImage, M::Radio)},
      {OneOf(name, {"TCXDBCHECKBOX", "TCXCHECKBOX"}), xcCheckBox, Make(K::ObjImage, M::Third)},
      {control.isGroupBox, xcPanel, Make(K::GroupBox, M::Normal, C::Before)},
      {control.isRadioButton, xcRadioButton, Make(K::RadioButton)},
      {control.isCheckBox, xcCheckBox, Make(K::CheckBox)},
      {name == "TTNTCOMBOBOX", xcCombo, Make(K::ComboBox)},
      {control.isComboBox, xcCombo, Make(K::ComboBox)},
      {name == "TRICHEDIT", xcScrollbar, Make(K::Scrollbar)},
      {OneOf(name, {"TWWDBRICHEDIT", "TDXDBMEMO"}), xcScrollbar, Make(K::Scrollbar)},
      {control.isPanel, xcPanel, Make(K::Box, M::Normal, C::Before)},
      {OneOf(name, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}), xcScrollbar, Make(K::Scrollbar)},
      {control.isListView, xcScrollbar, Make(K::Scrollbar, M::ListView)},
      {control.isMemo, xcScrollbar, Make(K::Scrollbar)},
      {hasScrollBars, xcScrollbar, Make(K::Scrollbar)},
      {control.isPushButton, xcButton, Make(K::Button)},
      {control.isEdit, xcEdit, Make(K::Edit)},
      {control.isForm && !dcEdit, std::nullopt, Make(K::Box, M::Normal, C::After)},
      {dcEdit && control.numButtons == 1, xcCombo, Make(K::ComboBox)},
      {dcEdit && control.numButtons == 0, xcEdit, Make(K::Edit, M::ByWindowHandle)},
  };
  // A rule whose member is not set falls through to the next one.
  for (const Rule& rule : rules)
    if (rule.matches && (!rule.member || members.Contains(*rule.member))) return rule.decision;
  return {};
}

} // namespace

std::string ClassMapKind(const std::vector<std::string>& skin3rd, const std::string& className) {
  return FindClassMapKind(skin3rd, className).value_or("");
}

ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::string>& skin3rd,
                              TSkinControlTypes members, bool skinHasTabs) {
  if (auto kind = FindClassMapKind(skin3rd, control.className))
    return DecideByClassMap(*kind, control, members, skinHasTabs);
  return DecideByClass(control, members, skinHasTabs);
}

ControlDecision DecideForeignWindow(const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members) {
  using K = SkinnerKind;
  const std::string c = AsciiLower(windowClass);
  auto with = [&](TSkinControlType member, ControlDecision decision) {
    return members.Contains(member) ? decision : ControlDecision{};
  };
  if (c == "button") {
    const std::uint32_t low = style & 0xF;
    if (low == 0xB) return {};                 // owner-drawn buttons draw themselves
    if (low == 7 || (style & 0x80)) return {}; // group boxes and bitmap buttons
    if ((style & 0x2) || (style & 0x5) == 0x5) return with(xcCheckBox, Make(K::CheckBox));
    if ((style & 0x9) == 0x9 || (style & 0x4)) return with(xcRadioButton, Make(K::RadioButton));
    return with(xcButton, Make(K::Button));
  }
  if (c == "combobox")
    return (style & 3) == 1 ? ControlDecision{} : with(xcCombo, Make(K::ComboBox));
  if (c == "comboboxex32") return with(xcCombo, Make(K::ComboBox, SkinnerMode::InnerWindow));
  if (c == "scrollbar" && !(style & kTabStop)) return Make(K::Sizer);
  if (c == "systreeview32") return {};
  if (c == "#32770" && !(style & kTabStop))
    return Make(K::BoxH, SkinnerMode::Normal, ChildDiscovery::Before);
  if (OneOf(c, {"tpanel", "ttntpanel.unicodeclass", "ttntsilentpaintpanel.unicodeclass"})) {
    ControlDecision d = Make(K::ChildrenOnly, SkinnerMode::Normal, ChildDiscovery::Before);
    d.buttonFaceColour = true;
    return d;
  }
  if (c == "tcheckbox") return with(xcCheckBox, Make(K::CheckBox));
  if (c == "tcombobox") return with(xcCombo, Make(K::ComboBox));
  if (c == "tbutton") return with(xcButton, Make(K::Button));
  if (c == "tprogressbar") return Make(K::Progress);
  if (c == "tsilentpaintpanel") {
    ControlDecision d;
    d.buttonFaceColour = true;
    return d;
  }
  if (c == "systabcontrol32" && members.Contains(xcTab) && !(style & kOwnerDrawTabs))
    return Make(TabKind(style));
  if (c == "toolbarwindow32") return Make(K::BoxH);
  if (c == "edit") return with(xcEdit, Make(K::Edit));
  // The shell's file view inside file dialogs holds a list view whose bars are skinned.
  if (c == "shelldll_defview")
    return Make(K::ChildrenOnly, SkinnerMode::Normal, ChildDiscovery::Before);
  if (c == "syslistview32") return with(xcScrollbar, Make(K::Scrollbar, SkinnerMode::ListView));
  if (c == "listbox") return with(xcScrollbar, Make(K::Scrollbar));
  return {};
}

} // namespace skin
