// What the skin loader takes from Windows: the system colours, the scroll-arrow width and the
// program's own track images (bitmap resources TRACK and TRACKVERT).
#pragma once

#include "skin/data/core/skin_elements.h"

namespace skin {

TSkinEnvironment SystemSkinEnvironment();

} // namespace skin
