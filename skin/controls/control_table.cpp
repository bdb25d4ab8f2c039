#include "skin/controls/control_table.h"

#include "skin/controls/adv_page.h"
#include "skin/controls/bit_button.h"
#include "skin/controls/box.h"
#include "skin/controls/button.h"
#include "skin/controls/check_radio.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/date_time.h"
#include "skin/controls/edit.h"
#include "skin/controls/group_box.h"
#include "skin/controls/header.h"
#include "skin/controls/list_view.h"
#include "skin/controls/media_player.h"
#include "skin/controls/menu_button.h"
#include "skin/controls/obj_image.h"
#include "skin/controls/progress.h"
#include "skin/controls/scroll_bar.h"
#include "skin/controls/scroll_control.h"
#include "skin/controls/size_grip.h"
#include "skin/controls/speed_button.h"
#include "skin/controls/status_bar.h"
#include "skin/controls/tab.h"
#include "skin/controls/tab31.h"
#include "skin/controls/tab_btn.h"
#include "skin/controls/tab_sheet.h"
#include "skin/controls/track_bar.h"
#include "skin/controls/up_down.h"

#include <array>

namespace skin {

namespace {

template <class Skin> std::unique_ptr<TSkinControl> Make(const ControlDecision&) {
  return std::make_unique<Skin>();
}

// A lone scroll-bar control gets one overlay; a list view overlays over its window's bars and
// skins its column header; everything else overlays over its window's bars.
std::unique_ptr<TSkinControl> MakeScrollbar(const ControlDecision& decision) {
  if (decision.mode == SkinnerMode::Single) return std::make_unique<TSkinScControl>();
  if (decision.mode == SkinnerMode::ListView) return std::make_unique<TSkinListView>();
  return std::make_unique<TSkinScrollbar>();
}

// The combo box of an extended combo box control is drawn in its own way.
std::unique_ptr<TSkinControl> MakeComboBox(const ControlDecision& decision) {
  auto combo = std::make_unique<TSkinComBox>();
  combo->SetExtended(decision.mode == SkinnerMode::ExtendedCombo);
  return combo;
}

constexpr std::array kKinds{
    TControlSkinKind{SkinnerKind::Button, Make<TSkinButton>, false},
    TControlSkinKind{SkinnerKind::BitButton, TSkinBitButton::Create, false},
    TControlSkinKind{SkinnerKind::SpeedButton, TSkinSpeedButton::Create, false},
    TControlSkinKind{SkinnerKind::MenuButton, Make<TSkinMenuButton>, false},
    TControlSkinKind{SkinnerKind::Tab, Make<TSkinTab>, false},
    TControlSkinKind{SkinnerKind::Tab31, Make<TSkinTab31>, false},
    TControlSkinKind{SkinnerKind::TabBtn, Make<TSkinTabBtn>, false},
    TControlSkinKind{SkinnerKind::TabSheet, Make<TSkinTabSheet>, false},
    TControlSkinKind{SkinnerKind::AdvPage, Make<TSkinAdvPage>, false},
    TControlSkinKind{SkinnerKind::StatusBar, Make<TSkinStatusBar>, false},
    TControlSkinKind{SkinnerKind::Header, Make<TSkinHeader>, false},
    TControlSkinKind{SkinnerKind::MediaPlayer, Make<TSkinMP>, false},
    TControlSkinKind{SkinnerKind::ObjImage, TSkinObjImage::Create, false},
    TControlSkinKind{SkinnerKind::CheckBox, Make<TSkinCheckBox>, true},
    TControlSkinKind{SkinnerKind::RadioButton, Make<TSkinRadioButton>, true},
    TControlSkinKind{SkinnerKind::GroupBox, Make<TSkinGroupBox>, true},
    TControlSkinKind{SkinnerKind::Box, Make<TSkinBox>, true},
    TControlSkinKind{SkinnerKind::BoxH, Make<TSkinBoxH>, false},
    TControlSkinKind{SkinnerKind::TrackBar, Make<TSkinTrackBar>, true},
    TControlSkinKind{SkinnerKind::UpDown, Make<TSkinUpDown>, false},
    TControlSkinKind{SkinnerKind::Progress, Make<TSkinProgress>, false},
    TControlSkinKind{SkinnerKind::Edit, Make<TSkinEdit>, false},
    TControlSkinKind{SkinnerKind::ComboBox, MakeComboBox, false},
    TControlSkinKind{SkinnerKind::Scrollbar, MakeScrollbar, false},
    TControlSkinKind{SkinnerKind::Sizer, Make<TSkinSizer>, false},
    TControlSkinKind{SkinnerKind::DateTime, Make<TSkinDateTime>, false},
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
