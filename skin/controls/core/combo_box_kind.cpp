// The rules that give combo boxes their skin.
#include "skin/controls/core/combo_box_modes.h"
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr std::uint32_t kComboTypeMask = 0x3;
constexpr std::uint32_t kSimpleCombo = 0x1; // CBS_SIMPLE

bool DcEditWithButton(const TRuleInput& in) {
  return DcEdit(in) && in.control.numButtons == 1;
}
bool SimpleCombo(const TRuleInput& in) {
  return (in.control.style & kComboTypeMask) == kSimpleCombo;
}

constexpr TKindRule kClassMap[] = {
    {10, "combobox", nullptr, xcCombo, Decide("ComboBox"_kind)},
    {20, "comboboxex", nullptr, xcCombo, Decide("ComboBox"_kind, kExtendedCombo)},
};
constexpr TKindRule kClasses[] = {
    {10, "TDBCOMBOBOXEH"}, // draws its own
    {260, "TTNTCOMBOBOX", nullptr, xcCombo, Decide("ComboBox"_kind)},
    {270, nullptr, Is<"ComboBox">, xcCombo, Decide("ComboBox"_kind)},
    {410, nullptr, DcEditWithButton, xcCombo, Decide("ComboBox"_kind)},
};
constexpr TKindRule kForeign[] = {
    {50, "combobox", SimpleCombo}, // its list is always shown
    {60, "combobox", nullptr, xcCombo, Decide("ComboBox"_kind)},
    {70, "comboboxex32", nullptr, xcCombo, Decide("ComboBox"_kind, kInnerComboWindow)},
    {150, "tcombobox", nullptr, xcCombo, Decide("ComboBox"_kind)},
};

} // namespace

const TKindRules kComboBoxRules{kClassMap, kClasses, kForeign, {}};

} // namespace skin
