// Which control skin each kind of control gets: one row per kind that has a skin, the way a
// window class maps to its subclass procedure. A new kind is one row here and one unit.
#pragma once

#include "skin/controls/core/control_kinds.h"
#include "skin/controls/skin_control.h"

#include <memory>
#include <span>

namespace skin {

struct TControlSkinKind {
  SkinnerKind kind;
  std::unique_ptr<TSkinControl> (*create)(const ControlDecision& decision);
  // Our own controls of this kind take the skin's face colour while skinned.
  bool setColour;
};

// Every kind that has a control skin.
std::span<const TControlSkinKind> ControlSkinKinds();

// The row of a kind, or null when the kind has no control skin (yet).
const TControlSkinKind* FindControlSkinKind(SkinnerKind kind);

} // namespace skin
