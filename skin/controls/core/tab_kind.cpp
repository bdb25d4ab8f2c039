// The rules that give tab controls the tab skin, or the tab-button skin when their tabs are
// buttons.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

constexpr std::uint32_t kOwnerDrawTabs = 0x2000; // TCS_OWNERDRAWFIXED
constexpr std::uint32_t kButtonTabs = 0x0100;    // TCS_BUTTONS

// A tab control shows its tabs as buttons when its style says so.
void TabsByStyle(ControlDecision& d, const TRuleInput& in) {
  d.kind = (in.control.style & kButtonTabs) ? "TabBtn"_kind : "Tab"_kind;
}
bool IsTabControl(const TRuleInput& in) {
  return in.control.Has("TabControl") && in.skinHasTabs;
}
bool DrawnTabs(const TRuleInput& in) {
  return !(in.control.style & kOwnerDrawTabs);
}

constexpr TKindRule kClassMap[] = {
    {150, "tab", SkinHasTabs, xcTab, Decide("Tab"_kind), TabsByStyle},
};
constexpr TKindRule kClasses[] = {
    {50, "TTABBEDNOTEBOOK", SkinHasTabs, xcTab, Decide("Tab"_kind)},
    {60, nullptr, IsTabControl, xcTab, Decide("Tab"_kind), TabsByStyle},
};
constexpr TKindRule kForeign[] = {
    {190, "systabcontrol32", DrawnTabs, xcTab, Decide("Tab"_kind), TabsByStyle},
};

} // namespace

const TKindRules kTabRules{kClassMap, kClasses, kForeign, {}};

} // namespace skin
