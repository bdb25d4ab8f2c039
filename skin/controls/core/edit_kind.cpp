// The rules that give edits their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

bool DcEditWithoutButton(const TRuleInput& in) {
  return DcEdit(in) && in.control.numButtons == 0;
}

// A mapped "edit" only when it has a border.
constexpr TKindRule kClassMap[] = {
    {30, "edit", HasBorder, xcEdit, Decide("Edit"_kind)},
};
constexpr TKindRule kClasses[] = {
    {390, nullptr, Is<"Edit">, xcEdit, Decide("Edit"_kind)},
    // Told apart by its mode, though the edit skin attaches to it as to any edit.
    {420, nullptr, DcEditWithoutButton, xcEdit, Decide("Edit"_kind, "ByWindowHandle"_mode)},
};
constexpr TKindRule kForeign[] = {
    {210, "edit", nullptr, xcEdit, Decide("Edit"_kind)},
};

} // namespace

const TKindRules kEditRules{kClassMap, kClasses, kForeign, {}};

} // namespace skin
