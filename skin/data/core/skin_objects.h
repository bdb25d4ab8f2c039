// The element descriptors a loaded skin yields: one object per skinned part, read by every
// painter. Fields keep the names painters use; −1 in an integer colour means "not given".
#pragma once

#include "framework/core/bitmap.h"

#include <cstdint>
#include <string>

namespace skin {

using fw::TBitmap;
using TColor = fw::ColorRef;

// The title's text colours when the skin gives none.
inline constexpr TColor kNoTitleColour = 0x1FFFFFFF;

class TDataSkinObject {
public:
  TDataSkinObject() = default;
  explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
  TDataSkinObject(const TDataSkinObject&) = delete;
  TDataSkinObject& operator=(const TDataSkinObject&) = delete;
  virtual ~TDataSkinObject() = default;

  int LeftWidth = 0;
  int TopHeight = 0;
  int RightWidth = 0;
  int BottomHeight = 0;
  TBitmap Bitmap; // one or more equal frames; empty when the skin has no image
  int Trans = 0;  // non-zero: drawn with magenta transparent
  int Tile = 0;   // 1: the middle is tiled, 0: stretched
  std::string Name;
  int FrameCount = 0;
  int Style = 0;
  int NormalColour = -1;
  int MouseOverColour = -1;
  int PressedColour = -1;
  TColor NormalColour2 = 0;
  TColor MouseOverColour2 = 0;
  TColor PressedColour2 = 0;
};

// An element with a second image (tab borders, up-down glyphs, the combo button's mirror).
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap Bitmap2;
};

// The caption: its text background image and text placement.
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int TextAlignment = 0;
  int Textbackground = 0;
  int FontHeight = 14;
  int TXTBackleft = 0;
  int TXTBackRight = 0;
  TColor ActiveText = kNoTitleColour;
  TColor InActiveText = kNoTitleColour;
};

// Push buttons, with the check box and radio button strips.
class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmap CheckBitmap;
  TBitmap RadioBitmap;
  int RadioButtonFrame = 0;
  int CheckButtonFrame = 0;
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

// The Action codes of a skin's caption buttons. Some commands have a second code (…Alt) that
// skins use alike; a negative code is decoration, drawn and never hit, and a code not listed here
// is the application's own, posted to the window.
enum TCaptionAction : int {
  kActionClose = 0,
  kActionMaximize = 1,
  kActionMinimize = 2,
  kActionWindowIcon = 3,
  kActionHelp = 4,
  kActionChildMinimize = 7,
  kActionChildRestore = 8,
  kActionChildClose = 9,
  kActionIconMenu = 11,
  kActionSystemMenu = 12,
  kActionMaximizeAlt = 22,
  kActionMinimizeAlt = 23,
  kActionChildMinimizeAlt = 60,
  kActionChildRestoreAlt = 61,
  kActionChildCloseAlt = 62,
};

// A caption button (close, maximize, ... and the three MDI child buttons).
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int Action = 0;
  int Align = 0;
  int XCoord = 0;
  int YCoord = 0;
  int CombineOp = -1;
  int Visibility = 0;
  int Visibility1 = 0;
  // The window's icon: the window's small icon is drawn where the skin gives no image, and a
  // double click on it closes the window.
  bool IsWindowIcon() const { return Action == kActionWindowIcon || Action == kActionIconMenu; }
};

// The group box label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  int BackgroundLeftShift = 0;
  int BackgroundRightShift = 0;
  int BackgroundAlignment = 0;
};

} // namespace skin
