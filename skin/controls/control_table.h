// Which control skin each kind of control gets, and what a kind probes on our controls: the
// descriptors of the table of kinds (control_table.inc), one per row, each defined in its kind's
// unit beside the skin it creates. A new kind is its unit (its skin, its descriptor, its rules
// under core/) and one row of the table.
#pragma once

#include "skin/controls/core/control_kinds.h"
#include "skin/controls/skin_control.h"

#include <memory>
#include <span>

namespace fw {
class TControl;
}

namespace skin {

// A fact a kind's rules ask about our controls: the probe says whether `control` has the trait
// ("TrackBar": it is the framework's track bar or one of its descendants).
struct TTraitProbe {
  const char* trait;
  bool (*has)(fw::TControl& control);
};

struct TControlSkinKind {
  SkinnerKind kind;
  std::unique_ptr<TSkinControl> (*create)(const ControlDecision& decision);
  // Our own controls of this kind take the skin's face colour while skinned.
  bool setColour = false;
  std::span<const TTraitProbe> probes = {};
};

#define CONTROL_KIND(rules, descriptor) extern const TControlSkinKind descriptor;
#include "skin/controls/control_table.inc"
#undef CONTROL_KIND

// Every kind that has a control skin, in the table's order.
std::span<const TControlSkinKind* const> ControlSkinKinds();

// The row of a kind, or null when the kind has no control skin (yet).
const TControlSkinKind* FindControlSkinKind(SkinnerKind kind);

// The traits the kinds' probes find on `control`.
void ProbeTraits(fw::TControl& control, ControlFacts& facts);

// A creator for a skin made the same way whatever the decision's mode.
template <class Skin> std::unique_ptr<TSkinControl> MakeSkin(const ControlDecision&) {
  return std::make_unique<Skin>();
}

// A probe: the control is a `Class` or one of its descendants.
template <class Class> bool IsA(fw::TControl& control) {
  return dynamic_cast<Class*>(&control) != nullptr;
}

// The probes of a kind whose one trait is that the control is a `Class` or one of its
// descendants.
template <TTraitName trait, class Class>
inline constexpr TTraitProbe ProbeIsA[] = {{trait.text, IsA<Class>}};

} // namespace skin
