// The skin component's option sets: which kinds of controls are skinned, behaviour switches, and
// which forms a component serves. Portable, so that the control-matching rules can be tested
// natively.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace skin {

// Bit order is the order of the stored set (4 bytes).
enum TSkinControlType : int {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport,
};

// Bit order is the order of the stored set (2 bytes).
enum TSkinOption : int {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoToolbarButton,
  xoMDIChildBorder,
  xoMenuBG,
  xoCaptionButtonHint,
  xoFormScrollbar,
};

enum TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// A set of small enumeration values held in the bits of one integer, as the form stream stores it.
template <class Member> class TSmallSet {
public:
  constexpr TSmallSet() = default;
  constexpr TSmallSet(std::initializer_list<Member> members) {
    for (Member m : members)
      Include(m);
  }
  static constexpr TSmallSet FromBits(std::uint32_t bits) {
    TSmallSet set;
    set.FBits = bits;
    return set;
  }
  constexpr bool Contains(Member m) const { return (FBits >> static_cast<int>(m)) & 1u; }
  constexpr void Include(Member m) { FBits |= 1u << static_cast<int>(m); }
  constexpr void Exclude(Member m) { FBits &= ~(1u << static_cast<int>(m)); }
  constexpr std::uint32_t Bits() const { return FBits; }
  constexpr bool operator==(const TSmallSet&) const = default;

private:
  std::uint32_t FBits = 0;
};

using TSkinControlTypes = TSmallSet<TSkinControlType>;
using TSkinOptions = TSmallSet<TSkinOption>;

// The skin component's SkinControls at creation: every member but xcMenuItem and xcFastReport.
constexpr TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes set = TSkinControlTypes::FromBits((1u << (xcFastReport + 1)) - 1);
  set.Exclude(xcMenuItem);
  set.Exclude(xcFastReport);
  return set;
}

constexpr TSkinOptions DefaultSkinOptions() {
  return {xoPreview, xoToolbarBK, xoCaptionButtonHint};
}

} // namespace skin
