// The conditions that the rules of several kinds ask.
#include "skin/controls/core/kind_rules.h"

#include "skin/data/core/skin_text.h"

namespace skin {

namespace {
constexpr std::uint32_t kButtonTypeMask = 0xF; // BS_TYPEMASK
constexpr std::uint32_t kTabStop = 0x00010000; // WS_TABSTOP
} // namespace

bool SkinHasTabs(const TRuleInput& in) {
  return in.skinHasTabs;
}

bool HasBorder(const TRuleInput& in) {
  return in.control.hasBorder;
}

bool NoTabStop(const TRuleInput& in) {
  return !(in.control.style & kTabStop);
}

bool DcEdit(const TRuleInput& in) {
  return in.name == "TDCEDIT" || in.name == "TDCDBEDIT";
}

bool TrzGroup(const TRuleInput& in) {
  return AsciiUpper(in.control.className).find("TRZ") != std::string::npos;
}

TButtonType ButtonType(const TRuleInput& in) {
  return static_cast<TButtonType>(in.control.style & kButtonTypeMask);
}

} // namespace skin
