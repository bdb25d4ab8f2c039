// The rules that give controls with scroll bars (memos, list boxes, list views, grids, lone
// scroll-bar controls) the scroll-bar skins.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

using M = SkinnerMode;

bool WindowHasScrollBars(const TRuleInput& in) {
  return HasScrollBars(in.control);
}
void ListViewBars(ControlDecision& d, const TRuleInput& in) {
  if (in.control.Has(kListViewTrait)) d.mode = M::ListView;
}

constexpr ControlDecision kBars = Decide("Scrollbar"_kind);

constexpr TKindRule kClassMap[] = {
    {170, "scrollbar", nullptr, xcScrollbar,
     Decide("Scrollbar"_kind, M::Normal, ChildDiscovery::After), ListViewBars},
    {180, "singlescrollbar", nullptr, xcScrollbar, Decide("Scrollbar"_kind, M::Single)},
};
constexpr TKindRule kClasses[] = {
    {280, "TRICHEDIT", nullptr, xcScrollbar, kBars},
    {290, "TWWDBRICHEDIT", nullptr, xcScrollbar, kBars},
    {300, "TDXDBMEMO", nullptr, xcScrollbar, kBars},
    {320, "TDXTREELIST", nullptr, xcScrollbar, kBars},
    {330, "TDXDBTREELIST", nullptr, xcScrollbar, kBars},
    {340, "TDXDBGRID", nullptr, xcScrollbar, kBars},
    {350, nullptr, Is<kListViewTrait>, xcScrollbar, Decide("Scrollbar"_kind, M::ListView)},
    {360, nullptr, Is<kMemoTrait>, xcScrollbar, kBars},
    {370, nullptr, WindowHasScrollBars, xcScrollbar, kBars},
};
constexpr TKindRule kForeign[] = {
    {230, "syslistview32", nullptr, xcScrollbar, Decide("Scrollbar"_kind, M::ListView)},
    {240, "listbox", nullptr, xcScrollbar, kBars},
};
// A file list made anew (a file dialog changing folders) is matched like the first.
constexpr TLateWindowRule kLate[] = {
    {"SysListView32", 0, TLateOffer::AsWindow},
};

} // namespace

const TKindRules kScrollbarRules{kClassMap, kClasses, kForeign, kLate};

} // namespace skin
