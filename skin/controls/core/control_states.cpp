#include "skin/controls/core/control_states.h"

#include <algorithm>
#include <string_view>

namespace skin {

namespace {

// The four looks of a short strip: unchecked, checked, and each disabled (2 further on).
enum Look { kUnchecked = 1, kChecked = 2, kUncheckedDisabled = 3, kCheckedDisabled = 4 };
constexpr int kLongCheckStrip = 12;
constexpr int kLongRadioStrip = 8;

int LongStripFrame(int look) {
  switch (look) {
  case kChecked:
    return 5;
  case kUncheckedDisabled:
    return 4;
  case kCheckedDisabled:
    return 8;
  default:
    return 1;
  }
}

} // namespace

ButtonFace PushButtonFace(const ButtonFacts& facts) {
  if (!facts.enabled) return ButtonFace::Disabled;
  if (facts.mouse.Pressed()) return ButtonFace::Pressed;
  if (facts.mouse.Hot()) return ButtonFace::Hot;
  if (facts.focused || facts.isDefault) return ButtonFace::Focused;
  return ButtonFace::Normal;
}

int CheckBoxFrame(const CheckBoxFacts& facts) {
  int look = facts.checked ? kChecked : kUnchecked;
  if (facts.hasStateProperty) {
    const std::string_view name = facts.stateName;
    if (name.find("uncheck") != std::string_view::npos)
      look = kUnchecked;
    else if (name.find("check") != std::string_view::npos)
      look = kChecked;
    else if (name.find("gray") != std::string_view::npos)
      look = kCheckedDisabled; // the short strip's grey look
  }
  if (facts.hasDataField && facts.lastSetCheck != 0)
    look = facts.lastSetCheck == 3 ? kCheckedDisabled : facts.lastSetCheck;
  if (facts.hasDataBinding) look = kUnchecked;
  if (facts.disabled) look += 2;
  if (facts.indeterminate) look = kCheckedDisabled;
  int frame = std::min(look, static_cast<int>(kCheckedDisabled));
  if (facts.frameCount == kLongCheckStrip) {
    frame = LongStripFrame(frame);
    if (facts.indeterminate) frame = facts.disabled ? 12 : 9;
  }
  return std::clamp(frame, 1, std::max(1, facts.frameCount));
}

int RadioButtonFrame(const RadioFacts& facts) {
  int look = facts.checked ? kChecked : kUnchecked;
  if (facts.disabled) look += 2;
  const int frame = facts.frameCount == kLongRadioStrip ? LongStripFrame(look) : look;
  return std::clamp(frame, 1, std::max(1, facts.frameCount));
}

} // namespace skin
