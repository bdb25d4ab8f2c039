// The mode of the bit- and speed-button skins, given by their rules (bit_button_kind.cpp,
// speed_button_kind.cpp) and read by their creators (bit_button.cpp, speed_button.cpp), named once
// for all of them.
#pragma once

#include "skin/controls/core/control_kinds.h"

namespace skin {

// The glyph comes from the button's PngImage property, not from its Glyph.
inline constexpr SkinnerMode kPngGlyph{"PngGlyph"};

} // namespace skin
