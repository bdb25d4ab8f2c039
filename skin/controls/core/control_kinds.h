// Which control skinner a child control of a skinned form gets, decided from plain facts so that
// it can be tested alone. Three tables of rules, one per kind of name, are read by one decider
// (the first rule that matches applies): the class map (`Skin3rd` lines naming a kind for a
// class), the rules for the program's own control classes, and the rules for foreign child
// windows (inside system dialogs), by window class and style.
#pragma once

#include "skin/data/core/skin_options.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

enum class SkinnerKind {
  None,         // stays unskinned
  ChildrenOnly, // no skinner of its own; its children are discovered
  Button,
  BitButton,
  MenuButton,
  SpeedButton,
  CheckBox,
  RadioButton,
  ComboBox,
  Edit,
  DateTime,
  MediaPlayer,
  Tab,
  Tab31,
  AdvPage,
  Progress,
  Scrollbar,
  TrackBar,
  UpDown,
  GroupBox,
  Box,   // panel mode
  BoxH,  // a box for a foreign window
  Sizer, // a size grip
  ObjImage,
  TabSheet,       // a page of a page control
  TabBtn,         // a tab control in button style
  StatusBar,      // our status bar
  Header,         // our header control
  EmbedScrollbar, // a scroll-bar skinner for each child that has scroll bars
};

// Variants a skinner is created in.
enum class SkinnerMode {
  Normal,
  ExtendedCombo,  // ComboBox of a comboboxex control
  InnerWindow,    // ComboBox attached to the inner window of a comboboxex32 window
  Single,         // Scrollbar for a lone scroll-bar control
  ListView,       // Scrollbar for a list view: its bars and its column header
  PngGlyph,       // BitButton / SpeedButton reading the PngImage property
  Radio,          // ObjImage as a radio button
  Check,          // ObjImage as a check box
  Third,          // ObjImage in its third look
  ByWindowHandle, // Edit attached by window handle
};

// When the children of a control are discovered, relative to attaching its own skinner.
enum class ChildDiscovery { None, Before, After };

struct ControlDecision {
  SkinnerKind kind = SkinnerKind::None;
  SkinnerMode mode = SkinnerMode::Normal;
  ChildDiscovery children = ChildDiscovery::None;
  // Radio and check groups: what each child gets before the group itself (None: nothing).
  SkinnerKind childKind = SkinnerKind::None;
  SkinnerMode childMode = SkinnerMode::Normal;
  bool setTransparent = false;   // the control's Transparent property becomes True first
  bool buttonFaceColour = false; // the control takes the skin's ButtonFace colour
  bool fromClassMap = false;     // decided by a Skin3rd line (even if that line said nil)

  bool operator==(const ControlDecision&) const = default;
};

// What the rules look at for one control of the program.
struct ControlFacts {
  std::string className; // e.g. "TButton"
  // "Is a ...": the class or one of its ancestors is that kind of framework control.
  bool isTrackBar = false, isGroupBox = false, isRadioButton = false, isCheckBox = false,
       isComboBox = false, isListView = false, isPanel = false, isMemo = false, isListBox = false,
       isPushButton = false, isEdit = false, isForm = false;
  bool isTabControl = false; // our tab control, or a page control
  bool isPageOfTabs = false; // a page whose parent is a page control
  bool windowed = false;
  std::uint32_t style = 0;  // window style, for windowed controls
  bool hasBorder = false;   // its window is larger than its client area
  std::string kindProperty; // value of its Kind property, if any
  int numButtons = -1;      // value of its NumButtons property, -1 when absent
};

// A windowed control with WS_VSCROLL or WS_HSCROLL, or a list box or memo.
bool HasScrollBars(const ControlFacts& control);

// The kind named by the class map for a class: the text after the first '=' of the first line
// that, lower-cased, starts with the lower-cased class name and '=' (at most 50 characters).
// Empty when no line names the class.
std::string ClassMapKind(const std::vector<std::string>& skin3rd, const std::string& className);

// The decision for a control of the program.
ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::string>& skin3rd,
                              TSkinControlTypes members, bool skinHasTabs);

// The decision for a child window that is not a control of the program, by its window class and
// style.
ControlDecision DecideForeignWindow(const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members);

} // namespace skin
