// The images of the skinned controls: buttons, check boxes and radio buttons, scroll bars,
// track bars, up-downs, progress bars, group boxes, tabs, combo boxes, menus, headers, status
// bars and tool bars.
#pragma once

#include "tools/skingen/skin_images.h"

#include <vector>

namespace skingen {

inline constexpr int kCheckCell = 13;
inline constexpr int kScrollCell = 16;

void AddControlImages(std::vector<NamedImage>& out);

// A track bar channel, horizontal or vertical (also the program's fallback images).
fw::TBitmap TrackChannel(bool vertical);

} // namespace skingen
