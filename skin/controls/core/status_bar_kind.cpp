// The rules that give our status bars their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr TKindRule kClasses[] = {
    {80, "TSTATUSBAR", nullptr, xcStatusBar, Decide("StatusBar"_kind)},
};

} // namespace

const TKindRules kStatusBarRules{{}, kClasses, {}, {}};

} // namespace skin
