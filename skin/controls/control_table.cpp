#include "skin/controls/control_table.h"

#include <array>

namespace skin {

namespace {

#define CONTROL_KIND(rules, descriptor) &descriptor,
const auto kKinds = std::to_array<const TControlSkinKind*>({
#include "skin/controls/control_table.inc"
});
#undef CONTROL_KIND

} // namespace

std::span<const TControlSkinKind* const> ControlSkinKinds() {
  return kKinds;
}

const TControlSkinKind* FindControlSkinKind(SkinnerKind kind) {
  for (const TControlSkinKind* row : kKinds)
    if (row->kind == kind) return row;
  return nullptr;
}

void ProbeTraits(fw::TControl& control, ControlFacts& facts) {
  for (const TControlSkinKind* row : kKinds)
    for (const TTraitProbe& probe : row->probes)
      if (probe.has(control)) facts.Add(probe.trait);
}

} // namespace skin
