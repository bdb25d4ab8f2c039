// The rules that give the Rz and cx libraries' check boxes and radio buttons the image skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

using M = SkinnerMode;

constexpr TKindRule kClasses[] = {
    {170, "TRZDBCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, M::Check)},
    {180, "TRZCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, M::Check)},
    {190, "TRZRADIOBUTTON", nullptr, xcRadioButton, Decide("ObjImage"_kind, M::Radio)},
    {200, "TRZDBRADIOBUTTON", nullptr, xcRadioButton, Decide("ObjImage"_kind, M::Radio)},
    {210, "TCXDBCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, M::Third)},
    {220, "TCXCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, M::Third)},
};

} // namespace

const TKindRules kObjImageRules{{}, kClasses, {}, {}};

} // namespace skin
