// The images of the skinned controls: buttons, check boxes and radio buttons, scroll bars,
// track bars, up-downs, progress bars, group boxes, tabs, combo boxes, menus, headers, status
// bars and tool bars, in a theme's colours and shapes.
#pragma once

#include "tools/skingen/skin_images.h"
#include "tools/skingen/theme.h"

#include <vector>

namespace skingen {

inline constexpr int kCheckCell = 13;
inline constexpr int kScrollCell = 16;

void AddControlImages(const Theme& theme, std::vector<NamedImage>& out);

// A track bar channel, horizontal or vertical (also the program's fallback images).
fw::TBitmap TrackChannel(const Theme& theme, bool vertical);

} // namespace skingen
