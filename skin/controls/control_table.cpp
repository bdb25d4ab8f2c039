#include "skin/controls/control_table.h"

#include "skin/controls/box.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio.h"
#include "skin/controls/group_box.h"
#include "skin/controls/progress.h"
#include "skin/controls/track_bar.h"
#include "skin/controls/up_down.h"

#include <array>

namespace skin {

namespace {

template <class Skin> std::unique_ptr<TSkinControl> Make(const ControlDecision&) {
  return std::make_unique<Skin>();
}

// Bit, speed and menu buttons get rows of their own with the framework classes they skin.
constexpr std::array kKinds{
    TControlSkinKind{SkinnerKind::Button, Make<TSkinButton>, false},
    TControlSkinKind{SkinnerKind::CheckBox, Make<TSkinCheckBox>, true},
    TControlSkinKind{SkinnerKind::RadioButton, Make<TSkinRadioButton>, true},
    TControlSkinKind{SkinnerKind::GroupBox, Make<TSkinGroupBox>, true},
    TControlSkinKind{SkinnerKind::Box, Make<TSkinBox>, true},
    TControlSkinKind{SkinnerKind::BoxH, Make<TSkinBoxH>, false},
    TControlSkinKind{SkinnerKind::TrackBar, Make<TSkinTrackBar>, true},
    TControlSkinKind{SkinnerKind::UpDown, Make<TSkinUpDown>, false},
    TControlSkinKind{SkinnerKind::Progress, Make<TSkinProgress>, false},
};

} // namespace

std::span<const TControlSkinKind> ControlSkinKinds() {
  return kKinds;
}

const TControlSkinKind* FindControlSkinKind(SkinnerKind kind) {
  for (const TControlSkinKind& row : kKinds)
    if (row.kind == kind) return &row;
  return nullptr;
}

} // namespace skin
