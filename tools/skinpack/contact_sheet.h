// A contact sheet of a skin: every element's image (magenta shown as a checkerboard), each of
// its frames drawn larger with the nine-slice renderer, its name and frame count, and the colour
// table, so that a person can look at a skin.
#pragma once

#include "framework/core/bitmap.h"

namespace skin {
struct TSkinElements;
}

namespace skinpack {

fw::TBitmap ContactSheet(const skin::TSkinElements& elements);

} // namespace skinpack
