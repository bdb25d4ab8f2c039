// The rules that give the pages of a page control the page skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClasses[] = {
    {70, "TTABSHEET", Is<"PageOfTabs">, xcTab,
     Decide("TabSheet"_kind, SkinnerMode::Normal, ChildDiscovery::After)},
};

const TKindRules kTabSheetRules{{}, kClasses, {}, {}};

} // namespace skin
