// What the window skins, the menu skins and the popup-menu skins read of their skin component:
// the element descriptors, which kinds of controls and menus are skinned, the skin's options and
// the component itself (for its events, its brush and the caption-button hint).
#pragma once

#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_options.h"

namespace skin {

class TSkinData;

struct TFormSkinSource {
  const TSkinElements* Elements = nullptr; // null: no skin loaded
  TSkinControlTypes SkinControls = DefaultSkinControls();
  TSkinOptions Options = DefaultSkinOptions();
  TSkinData* Component = nullptr; // may be null
};

} // namespace skin
