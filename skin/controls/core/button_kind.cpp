// The rules that give controls the push-button skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr std::uint32_t kBitmapButton = 0x80; // BS_BITMAP

// Owner-drawn buttons draw themselves; group boxes and bitmap buttons keep their look, and so do
// split buttons and command links, whose parts (the split, the arrow, the note) a push-button
// face would cover.
bool DrawsItself(const TRuleInput& in) {
  switch (ButtonType(in)) {
  case TButtonType::OwnerDraw:
  case TButtonType::GroupBox:
  case TButtonType::SplitButton:
  case TButtonType::DefSplitButton:
  case TButtonType::CommandLink:
  case TButtonType::DefCommandLink:
    return true;
  default:
    return (in.control.style & kBitmapButton) != 0;
  }
}

constexpr TKindRule kClassMap[] = {
    {70, "button", nullptr, xcButton, Decide("Button"_kind)},
};
constexpr TKindRule kClasses[] = {
    {380, nullptr, Is<"PushButton">, xcButton, Decide("Button"_kind)},
};
constexpr TKindRule kForeign[] = {
    {10, "button", DrawsItself},
    {40, "button", nullptr, xcButton, Decide("Button"_kind)},
    {160, "tbutton", nullptr, xcButton, Decide("Button"_kind)},
};

} // namespace

const TKindRules kButtonRules{kClassMap, kClasses, kForeign, {}};

} // namespace skin
