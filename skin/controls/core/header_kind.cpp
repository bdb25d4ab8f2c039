// The rules that give our header controls their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClasses[] = {
    {90, "THEADERCONTROL", nullptr, xcTab, Decide("Header"_kind)},
};

const TKindRules kHeaderRules{{}, kClasses, {}, {}};

} // namespace skin
