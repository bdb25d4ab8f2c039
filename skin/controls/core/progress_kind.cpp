// The rules that give progress bars their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClassMap[] = {
    {160, "progress", nullptr, xcProgress, Decide("Progress"_kind)},
};
constexpr TKindRule kClasses[] = {
    {140, "TPROGRESSBAR", nullptr, xcProgress, Decide("Progress"_kind)},
};
constexpr TKindRule kForeign[] = {
    {170, "tprogressbar", nullptr, std::nullopt, Decide("Progress"_kind)},
};

const TKindRules kProgressRules{kClassMap, kClasses, kForeign, {}};

} // namespace skin
