// The rules that give controls with scroll bars (memos, list boxes, list views, grids, lone
// scroll-bar controls) the scroll-bar skins.
#include "skin/controls/core/kind_rules.h"
#include "skin/controls/core/scroll_bar_traits.h"

namespace skin {

namespace {

using M = SkinnerMode;

constexpr std::uint32_t kHScroll = 0x00100000; // WS_HSCROLL
constexpr std::uint32_t kVScroll = 0x00200000; // WS_VSCROLL

// A windowed control with WS_VSCROLL or WS_HSCROLL, or a list box or memo.
bool WindowHasScrollBars(const TRuleInput& in) {
  const ControlFacts& control = in.control;
  return (control.windowed && (control.style & (kVScroll | kHScroll))) ||
         control.Has(kListBoxTrait) || control.Has(kMemoTrait);
}
void ListViewBars(ControlDecision& d, const TRuleInput& in) {
  if (in.control.Has(kListViewTrait)) d.mode = kListViewBars;
}

constexpr ControlDecision kBars = Decide("Scrollbar"_kind);

constexpr TKindRule kClassMap[] = {
    {170, "scrollbar", nullptr, xcScrollbar,
     Decide("Scrollbar"_kind, M::Normal, ChildDiscovery::After), ListViewBars},
    {180, "singlescrollbar", nullptr, xcScrollbar, Decide("Scrollbar"_kind, kSingleScrollbar)},
};
constexpr TKindRule kClasses[] = {
    {280, "TRICHEDIT", nullptr, xcScrollbar, kBars},
    {290, "TWWDBRICHEDIT", nullptr, xcScrollbar, kBars},
    {300, "TDXDBMEMO", nullptr, xcScrollbar, kBars},
    {320, "TDXTREELIST", nullptr, xcScrollbar, kBars},
    {330, "TDXDBTREELIST", nullptr, xcScrollbar, kBars},
    {340, "TDXDBGRID", nullptr, xcScrollbar, kBars},
    {350, nullptr, Is<kListViewTrait>, xcScrollbar, Decide("Scrollbar"_kind, kListViewBars)},
    {360, nullptr, Is<kMemoTrait>, xcScrollbar, kBars},
    {370, nullptr, WindowHasScrollBars, xcScrollbar, kBars},
};
constexpr TKindRule kForeign[] = {
    {230, "syslistview32", nullptr, xcScrollbar, Decide("Scrollbar"_kind, kListViewBars)},
    {240, "listbox", nullptr, xcScrollbar, kBars},
};
// A child of a control whose embedded scroll bars are skinned.
constexpr TKindRule kEmbedded[] = {
    {10, nullptr, WindowHasScrollBars, std::nullopt, kBars, ListViewBars},
};
// A file list made anew (a file dialog changing folders) is matched like the first.
constexpr TLateWindowRule kLate[] = {
    {"SysListView32", 0, TLateOffer::AsWindow},
};

} // namespace

const TKindRules kScrollbarRules{kClassMap, kClasses, kForeign, kLate, kEmbedded};

} // namespace skin
