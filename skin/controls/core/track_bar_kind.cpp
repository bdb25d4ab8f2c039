// The rules that give track bars their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

// A mapped "trackbar" is switched by xcButton, our own track bars by xcTrackBar: skins are
// written against both gates.
constexpr TKindRule kClassMap[] = {
    {60, "trackbar", nullptr, xcButton, Transparent(Decide("TrackBar"_kind))},
};
constexpr TKindRule kClasses[] = {
    {110, nullptr, Is<"TrackBar">, xcTrackBar, Decide("TrackBar"_kind)},
};

const TKindRules kTrackBarRules{kClassMap, kClasses, {}, {}};

} // namespace skin
