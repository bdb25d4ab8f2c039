// The modes of the combo-box skin, given by its rules (combo_box_kind.cpp) and read by its creator
// (combo_box.cpp) and by the discovery of foreign windows, named once for all of them.
#pragma once

#include "skin/controls/core/control_kinds.h"

namespace skin {

// A combo box of the extended kind (comboboxex in a Skin3rd line).
inline constexpr SkinnerMode kExtendedCombo{"ExtendedCombo"};
// A ComboBoxEx32 window: the skin goes to the combo box inside it.
inline constexpr SkinnerMode kInnerComboWindow{"InnerWindow"};

} // namespace skin
