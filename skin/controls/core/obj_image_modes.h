// The modes of the image skin of check boxes and radio buttons, given by its rules
// (obj_image_kind.cpp, and the group boxes' rules for the buttons in Rz groups) and read by its
// creator (obj_image.cpp), named once for all of them.
#pragma once

#include "skin/controls/core/control_kinds.h"

namespace skin {

// The check-box strip (the Rz library's check boxes).
inline constexpr SkinnerMode kObjImageCheck{"Check"};
// The radio-button strip (the Rz library's radio buttons).
inline constexpr SkinnerMode kObjImageRadio{"Radio"};
// The glyph a cx check box's Properties give (its third look).
inline constexpr SkinnerMode kObjImageThird{"Third"};

} // namespace skin
