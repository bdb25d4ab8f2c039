// The rules that give controls the menu-button skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClassMap[] = {
    {130, "menubtn", nullptr, xcButton, Decide("MenuButton"_kind)},
};

const TKindRules kMenuButtonRules{kClassMap, {}, {}, {}};

} // namespace skin
