// The traits and modes of the scroll-bar kind: what its probes find on our controls
// (scroll_bar.cpp) and its rules read (scroll_bar_kind.cpp), and the modes its rules give and its
// creators read (scroll_bar.cpp, list_view.cpp), named once for both.
#pragma once

#include "skin/controls/core/control_kinds.h"

namespace skin {

inline constexpr char kListBoxTrait[] = "ListBox";
inline constexpr char kMemoTrait[] = "Memo";
inline constexpr char kListViewTrait[] = "ListView";

// A lone scroll-bar control.
inline constexpr SkinnerMode kSingleScrollbar{"Single"};
// A list view: its bars and its column header.
inline constexpr SkinnerMode kListViewBars{"ListView"};

} // namespace skin
