// The rules that give panels, navigators and embedded forms the box skin, and nested dialog
// pages and tool bars inside system dialogs the box skin for bare windows.
#include "skin/controls/core/kind_rules.h"

namespace skin {

namespace {

using M = SkinnerMode;
using C = ChildDiscovery;

bool IsEmbeddedForm(const TRuleInput& in) {
  return in.control.Has("Form") && !DcEdit(in);
}

constexpr TKindRule kClassMap[] = {
    {50, "panel", nullptr, xcPanel, Transparent(Decide("Box"_kind))},
};
constexpr TKindRule kClasses[] = {
    {160, "TDBNAVIGATOR", nullptr, xcPanel, Decide("Box"_kind, M::Normal, C::After)},
    {310, nullptr, Is<"Panel">, xcPanel, Decide("Box"_kind, M::Normal, C::Before)},
    {400, nullptr, IsEmbeddedForm, std::nullopt, Decide("Box"_kind, M::Normal, C::After)},
};

constexpr TKindRule kBareForeign[] = {
    {100, "#32770", NoTabStop, std::nullopt, Decide("BoxH"_kind, M::Normal, C::Before)},
    {200, "toolbarwindow32", nullptr, std::nullopt, Decide("BoxH"_kind)},
};

} // namespace

const TKindRules kBoxRules{kClassMap, kClasses, {}, {}};
const TKindRules kBoxHRules{{}, {}, kBareForeign, {}};

} // namespace skin
