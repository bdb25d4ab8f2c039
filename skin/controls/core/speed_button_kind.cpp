// The rules that give controls the speed-button skin.
#include "skin/controls/core/bit_button_modes.h"
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClassMap[] = {
    {120, "pngspeedbutton", nullptr, xcButton, Decide("SpeedButton"_kind, kPngGlyph)},
    {140, "speedbutton", nullptr, xcSpeedButton, Decide("SpeedButton"_kind)},
};

const TKindRules kSpeedButtonRules{kClassMap, {}, {}, {}};

} // namespace skin
