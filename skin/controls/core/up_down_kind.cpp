// The rules that give up-down and spin buttons their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClasses[] = {
    {120, "TUPDOWN", nullptr, xcSpin, Decide("UpDown"_kind)},
    {130, "TSPINBUTTON", nullptr, xcSpin, Decide("UpDown"_kind)},
};

const TKindRules kUpDownRules{{}, kClasses, {}, {}};

} // namespace skin
