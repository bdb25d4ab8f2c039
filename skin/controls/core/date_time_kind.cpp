// The rules that give date-and-time pickers their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClassMap[] = {
    {80, "datetimepicker", nullptr, xcCombo, Decide("DateTime"_kind)},
};

const TKindRules kDateTimeRules{kClassMap, {}, {}, {}};

} // namespace skin
