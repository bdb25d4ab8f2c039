// The rules that give our status bars their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClasses[] = {
    {80, "TSTATUSBAR", nullptr, xcStatusBar, Decide("StatusBar"_kind)},
};

const TKindRules kStatusBarRules{{}, kClasses, {}, {}};

} // namespace skin
