// The rules that give group boxes, radio groups and check groups the group-box skin, and the
// buttons of a group theirs first.
#include "skin/controls/core/kind_rules.h"
#include "skin/controls/core/obj_image_modes.h"

namespace skin {

namespace {

// A radio group's buttons get their skins before the group (with xcRadioButton).
void RadioGroupButtons(ControlDecision& d, const TRuleInput& in) {
  if (!in.members.Contains(xcRadioButton)) return;
  d.childKind = TrzGroup(in) ? "ObjImage"_kind : "RadioButton"_kind;
  d.childMode = TrzGroup(in) ? kObjImageRadio : SkinnerMode::Normal;
}
// A check group's boxes get theirs with xcRadioButton; the group its own with xcGroupBox.
void CheckGroupParts(ControlDecision& d, const TRuleInput& in) {
  if (in.members.Contains(xcRadioButton)) {
    d.childKind = TrzGroup(in) ? "ObjImage"_kind : "CheckBox"_kind;
    d.childMode = TrzGroup(in) ? kObjImageCheck : SkinnerMode::Normal;
  }
  if (in.members.Contains(xcGroupBox)) d.kind = "GroupBox"_kind;
}

// A mapped "groupbox" is switched by xcGroupBox, our own group boxes by xcPanel: skins are
// written against both gates.
constexpr TKindRule kClassMap[] = {
    {210, "groupbox", nullptr, xcGroupBox, Decide("GroupBox"_kind)},
    {230, "radiogroup", nullptr, xcGroupBox, Decide("GroupBox"_kind), RadioGroupButtons},
    {240, "checkgroup", nullptr, xcPanel, {}, CheckGroupParts},
};
constexpr TKindRule kClasses[] = {
    {230, nullptr, Is<"GroupBox">, xcPanel,
     Decide("GroupBox"_kind, SkinnerMode::Normal, ChildDiscovery::Before)},
};

} // namespace

const TKindRules kGroupBoxRules{kClassMap, kClasses, {}, {}};

} // namespace skin
