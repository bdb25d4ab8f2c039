// The rules that give size grips inside system dialogs their skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

constexpr std::uint32_t kSizeGrip = 0x10; // SBS_SIZEGRIP

constexpr TKindRule kForeign[] = {
    {80, "scrollbar", NoTabStop, std::nullopt, Decide("Sizer"_kind)},
};
// A size grip made in a skinned window after its start is matched as it is made.
constexpr TLateWindowRule kLate[] = {
    {"ScrollBar", kSizeGrip, TLateOffer::AtCreation},
};

const TKindRules kSizerRules{{}, {}, kForeign, kLate};

} // namespace skin
