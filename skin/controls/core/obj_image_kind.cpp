// The rules that give the Rz and cx libraries' check boxes and radio buttons the image skin.
#include "skin/controls/core/kind_rules.h"
#include "skin/controls/core/obj_image_modes.h"

namespace skin {

namespace {

constexpr TKindRule kClasses[] = {
    {170, "TRZDBCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, kObjImageCheck)},
    {180, "TRZCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, kObjImageCheck)},
    {190, "TRZRADIOBUTTON", nullptr, xcRadioButton, Decide("ObjImage"_kind, kObjImageRadio)},
    {200, "TRZDBRADIOBUTTON", nullptr, xcRadioButton, Decide("ObjImage"_kind, kObjImageRadio)},
    {210, "TCXDBCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, kObjImageThird)},
    {220, "TCXCHECKBOX", nullptr, xcCheckBox, Decide("ObjImage"_kind, kObjImageThird)},
};

} // namespace

const TKindRules kObjImageRules{{}, kClasses, {}, {}};

} // namespace skin
