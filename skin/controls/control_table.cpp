#include "skin/controls/control_table.h"

#include "skin/controls/bit_button.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio.h"
#include "skin/controls/media_player.h"
#include "skin/controls/menu_button.h"
#include "skin/controls/obj_image.h"
#include "skin/controls/sizer.h"
#include "skin/controls/speed_button.h"
#include "skin/controls/tab.h"
#include "skin/controls/tab31.h"

#include <array>

namespace skin {

namespace {

template <class Skin> std::unique_ptr<TSkinControl> Make(const ControlDecision&) {
  return std::make_unique<Skin>();
}

constexpr std::array kKinds{
    TControlSkinKind{SkinnerKind::Button, Make<TSkinButton>, false},
    TControlSkinKind{SkinnerKind::BitButton, TSkinBitButton::Create, false},
    TControlSkinKind{SkinnerKind::SpeedButton, TSkinSpeedButton::Create, false},
    TControlSkinKind{SkinnerKind::MenuButton, Make<TSkinMenuButton>, false},
    TControlSkinKind{SkinnerKind::Sizer, Make<TSkinSizer>, false},
    TControlSkinKind{SkinnerKind::Tab, Make<TSkinTab>, false},
    TControlSkinKind{SkinnerKind::Tab31, Make<TSkinTab31>, false},
    TControlSkinKind{SkinnerKind::MediaPlayer, Make<TSkinMP>, false},
    TControlSkinKind{SkinnerKind::ObjImage, TSkinObjImage::Create, false},
    TControlSkinKind{SkinnerKind::CheckBox, Make<TSkinCheckBox>, true},
    TControlSkinKind{SkinnerKind::RadioButton, Make<TSkinRadioButton>, true},
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
