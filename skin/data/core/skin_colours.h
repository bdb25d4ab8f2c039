// The skin's colour table and the text rule its colours are written in.
#pragma once

#include "framework/core/bitmap.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

using TColor = fw::ColorRef;

// Indices of the colour table.
enum TSkinColourIndex {
  kWindowText = 0,
  kTitleTextActive = 1,
  kTitleTextNoActive = 2,
  kButtonFace = 3,
  kButtonText = 4,
  kButtonHilight = 5,
  kButtonlight = 6,
  kButtonShadow = 7,
  kButtonDkShadow = 8,
  kHilightText = 11,
  kHilight = 12,
  kMenubar = 13,
  kMenuBarText = 14,
  kMenuText = 15,
  kMenu = 16,
  kCaptionSample = 17,
  kScrollbar = 18,
};
inline constexpr int kSkinColourCount = 19;

// Indices of the system colours the defaults come from (the values Windows numbers them with).
enum TSystemColourIndex {
  kSysScrollbar = 0,
  kSysMenu = 4,
  kSysMenuText = 7,
  kSysWindowText = 8,
  kSysCaptionText = 9,
  kSysHighlight = 13,
  kSysHighlightText = 14,
  kSysBtnFace = 15,
  kSysBtnShadow = 16,
  kSysBtnText = 18,
  kSysInactiveCaptionText = 19,
  kSysBtnHighlight = 20,
  kSys3DDkShadow = 21,
};
inline constexpr int kSystemColourCount = 31;
using TSystemColours = std::array<TColor, kSystemColourCount>;

// Windows' classic scheme: the system colours where no system is asked (native builds, tests).
TSystemColours ClassicSystemColours();

// The colour of a text of decimal numbers "red green blue" in any separators: each run of
// digits that a non-digit ends is the next of red, green and blue; a run still open at the end
// is blue when exactly red and green came before it; missing channels are 0; each channel is
// taken modulo 256. An empty (or blank) text gives `defaultColour`.
TColor ParseColourTriple(std::string_view text, TColor defaultColour);

struct TSkinColourTable {
  std::array<TColor, kSkinColourCount> Colours{};
  std::array<bool, kSkinColourCount> Given{}; // the skin named the colour
  std::array<TColor, 10> CustomColours{};     // [Customcolors] Color0..Color9
  std::vector<TColor> SectionColours;         // [Colour...] sections, key color, in file order
};

} // namespace skin
