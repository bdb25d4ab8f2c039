// The rules that give controls the advanced page-control skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClassMap[] = {
    {220, "advpagecontrol", nullptr, xcTab, Decide("AdvPage"_kind)},
};

const TKindRules kAdvPageRules{kClassMap, {}, {}, {}};

} // namespace skin
