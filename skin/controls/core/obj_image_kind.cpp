// The rules that give the Rz and cx libraries' check boxes and radio buttons the image skin.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr TKindRule kClasses[] = {
    {170, "TRZDBCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, "Check"_mode)},
    {180, "TRZCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, "Check"_mode)},
    {190, "TRZRADIOBUTTON", nullptr, xcRadioButton, Decide("ObjImage"_kind, "Radio"_mode)},
    {200, "TRZDBRADIOBUTTON", nullptr, xcRadioButton, Decide("ObjImage"_kind, "Radio"_mode)},
    {210, "TCXDBCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, "Third"_mode)},
    {220, "TCXCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, "Third"_mode)},
};

} // namespace

const TKindRules kObjImageRules{{}, kClasses, {}, {}};

} // namespace skin
