// What the kinds' rule files under controls/core/ share: the declaration of every kind's rules
// (one per row of the table of kinds, controls/control_table.inc) and the conditions that the
// rules of several kinds ask.
#pragma once

#include "skin/controls/core/control_kinds.h"

namespace skin {

#define CONTROL_KIND(rules, descriptor) extern const TKindRules rules;
#include "skin/controls/control_table.inc"
#undef CONTROL_KIND

// The rules of a kind that no rule of its own gives: other kinds' rules choose it (a tab control
// in button style, for one).
extern const TKindRules kNoKindRules;

// Is<"TrackBar"> asks whether a probe found the trait.
template <TTraitName trait> bool Is(const TRuleInput& in) {
  return in.control.Has(trait.text);
}

// The skin has a Tabs element.
bool SkinHasTabs(const TRuleInput& in);
// The control's window is larger than its client area.
bool HasBorder(const TRuleInput& in);
// The window is not a tab stop.
bool NoTabStop(const TRuleInput& in);
// A date-and-time edit of the DC library, which is a form with NumButtons buttons.
bool DcEdit(const TRuleInput& in);
// A class of the Rz library (its groups' buttons get the image skin).
bool TrzGroup(const TRuleInput& in);

// The button type of a window's style (BS_TYPEMASK).
enum class TButtonType : std::uint32_t {
  PushButton = 0x0,
  DefPushButton = 0x1,
  CheckBox = 0x2,
  AutoCheckBox = 0x3,
  RadioButton = 0x4,
  ThreeState = 0x5,
  AutoThreeState = 0x6,
  GroupBox = 0x7,
  UserButton = 0x8,
  AutoRadioButton = 0x9,
  PushBox = 0xA,
  OwnerDraw = 0xB,
  SplitButton = 0xC,
  DefSplitButton = 0xD,
  CommandLink = 0xE,
  DefCommandLink = 0xF,
};
TButtonType ButtonType(const TRuleInput& in);

} // namespace skin
