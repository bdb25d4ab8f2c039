// The rules that give controls the speed-button skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr TKindRule kClassMap[] = {
    {120, "pngspeedbutton", nullptr, xcButton, Decide("SpeedButton"_kind, SkinnerMode::PngGlyph)},
    {140, "speedbutton", nullptr, xcSpeedButton, Decide("SpeedButton"_kind)},
};

} // namespace

const TKindRules kSpeedButtonRules{kClassMap, {}, {}, {}};

} // namespace skin
