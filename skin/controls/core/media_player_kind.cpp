// The rules that give media players their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr TKindRule kClassMap[] = {
    {90, "mediaplayer", nullptr, xcButton, Decide("MediaPlayer"_kind)},
};
constexpr TKindRule kClasses[] = {
    {150, "TMEDIAPLAYER", nullptr, xcButton, Decide("MediaPlayer"_kind)},
};

const TKindRules kMediaPlayerRules{kClassMap, kClasses, {}, {}};

} // namespace skin
