// The rules that give controls the bit-button skin.
#include "skin/controls/core/kind_rules.h"

#include "skin/controls/core/bit_button_modes.h"
#include "skin/data/core/skin_text.h"

namespace skin {

namespace {

// A drop-down button of the cx library gets the menu-button skin instead.
void DropDownBitButton(ControlDecision& d, const TRuleInput& in) {
  if (AsciiLower(in.control.className) == "tcxbutton" &&
      in.control.kindProperty == "cxbkDropDownButton")
    d.kind = "MenuButton"_kind;
}

constexpr TKindRule kClassMap[] = {
    {100, "bitbtn", nullptr, xcButton, Decide("BitButton"_kind), DropDownBitButton},
    {110, "pngbitbtn", nullptr, xcButton, Decide("BitButton"_kind, kPngGlyph)},
};

} // namespace

const TKindRules kBitButtonRules{kClassMap, {}, {}, {}};

} // namespace skin
