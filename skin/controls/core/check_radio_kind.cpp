// The rules that give controls the check-box and radio-button skins.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

bool CheckBoxStyle(const TRuleInput& in) {
  const TButtonType type = ButtonType(in);
  return type == TButtonType::CheckBox || type == TButtonType::AutoCheckBox ||
         type == TButtonType::ThreeState || type == TButtonType::AutoThreeState;
}
bool RadioStyle(const TRuleInput& in) {
  return ButtonType(in) == TButtonType::RadioButton ||
         ButtonType(in) == TButtonType::AutoRadioButton;
}

constexpr TKindRule kCheckClassMap[] = {
    {250, "checkbox", nullptr, xcCheckBox, Decide("CheckBox"_kind)},
};
constexpr TKindRule kCheckClasses[] = {
    {250, nullptr, Is<"CheckBox">, xcCheckBox, Decide("CheckBox"_kind)},
};
constexpr TKindRule kCheckForeign[] = {
    {20, "button", CheckBoxStyle, xcCheckBox, Decide("CheckBox"_kind)},
    {140, "tcheckbox", nullptr, xcCheckBox, Decide("CheckBox"_kind)},
};

constexpr TKindRule kRadioClassMap[] = {
    {40, "radiobutton", nullptr, xcRadioButton, Decide("RadioButton"_kind)},
};
constexpr TKindRule kRadioClasses[] = {
    {240, nullptr, Is<"RadioButton">, xcRadioButton, Decide("RadioButton"_kind)},
};
constexpr TKindRule kRadioForeign[] = {
    {30, "button", RadioStyle, xcRadioButton, Decide("RadioButton"_kind)},
};

} // namespace

const TKindRules kCheckBoxRules{kCheckClassMap, kCheckClasses, kCheckForeign, {}};
const TKindRules kRadioButtonRules{kRadioClassMap, kRadioClasses, kRadioForeign, {}};

} // namespace skin
