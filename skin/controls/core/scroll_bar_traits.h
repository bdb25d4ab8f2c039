// The traits of the scroll-bar kind: what its probes find on our controls (scroll_bar.cpp) and
// its rules read (scroll_bar_kind.cpp), named once for both.
#pragma once

namespace skin {

inline constexpr char kListBoxTrait[] = "ListBox";
inline constexpr char kMemoTrait[] = "Memo";
inline constexpr char kListViewTrait[] = "ListView";

} // namespace skin
