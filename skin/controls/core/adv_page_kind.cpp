// The rules that give controls the advanced page-control skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr TKindRule kClassMap[] = {
    {220, "advpagecontrol", nullptr, xcTab, Decide("AdvPage"_kind)},
};

} // namespace

const TKindRules kAdvPageRules{kClassMap, {}, {}, {}};

} // namespace skin
