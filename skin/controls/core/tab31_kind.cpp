// The rules that give tab sets the skin of tabs along an edge.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClasses[] = {
    {40, "TTABSET", SkinHasTabs, xcTab, Decide("Tab31"_kind)},
};

const TKindRules kTab31Rules{{}, kClasses, {}, {}};

} // namespace skin
