// Everything a loaded skin yields for the painters: the element descriptors (members named after
// their INI sections), the caption buttons, the colour table and the skin's name.
#pragma once

#include "skin/data/core/skin_colours.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_objects.h"

#include <memory>
#include <string>
#include <vector>

namespace skin {

class TSkinReader;

// What the loader takes from the system it runs on.
struct TSkinEnvironment {
  TSystemColours SystemColours = ClassicSystemColours();
  // The width of a horizontal scroll bar's arrow (SM_CXHSCROLL).
  int HorzScrollArrowWidth = 16;
  // The program's own track images, used when a skin has none.
  TBitmap TrackImage;
  TBitmap TrackVertImage;
};

struct TSkinElements {
  TSkinElements();

  // Always present, refilled on every load.
  std::unique_ptr<TDataSkinBorder> Left, Right, Top, Bottom;
  std::unique_ptr<TDataSkinButton> Buttons;
  std::unique_ptr<TDataSkinTitle> Title;
  // Created once and kept; its image is derived from the combo box images on every load.
  std::unique_ptr<TDataSkinObject> ComboxArrow;

  // Null when the skin lacks the element's image.
  std::unique_ptr<TDataSkinBorder> Progress;
  std::unique_ptr<TDataSkinObject> ProgressChunk;
  std::unique_ptr<TDataSkinObject> MenuBar;
  std::unique_ptr<TDataSkinObject> GroupBoxEdge;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinBorder> Tabs;
  std::unique_ptr<TDataSkinObject> StatusBarEdges;
  std::unique_ptr<TDataSkinObject> TabPane;
  std::unique_ptr<TDataSkinObject> ToolBars;
  std::unique_ptr<TDataSkinBorder> ComboButton;
  std::unique_ptr<TDataSkinObject> SunkEdge;
  std::unique_ptr<TDataSkinObject> ExtraImages;
  std::unique_ptr<TDataSkinObject> Headerbar;
  std::unique_ptr<TDataSkinObject> MenuItem;
  std::unique_ptr<TDataSkinObject> MenuBackground;
  std::unique_ptr<TDataSkinObject> Scrollbar;
  std::unique_ptr<TDataSkinObject> HorzScroll, VertScroll;
  std::unique_ptr<TDataSkinObject> HorzScrollThumb, VertScrollThumb;
  std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
      TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown;
  std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;
  std::unique_ptr<TDataSkinObject> Track, TrackVert;

  // The skin's caption buttons, then the three MDI child buttons (minimize, restore, close).
  std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;

  TSkinColourTable ColourTable;
  std::string SkinName;

  TColor Colour(int index) const { return ColourTable.Colours[static_cast<std::size_t>(index)]; }
  TColor CaptionSampleColour() const { return Colour(kCaptionSample); }
};

// Builds the descriptors and colours of the skin in `reader`, described by `ini`, replacing what
// `elements` held. Throws fw::EInvalidGraphic when an image entry is not a valid BMP (the
// elements are then partly loaded; the caller treats the skin as missing).
void LoadSkinElements(const TSkinReader& reader, const TQuickIni& ini, const TSkinEnvironment& env,
                      TSkinElements& elements);

// The skin's INI description: the archive entry FindEntry(".ini") finds (empty when none).
TQuickIni SkinIni(const TSkinReader& reader);

// Image lookup: the archive entry named by the file-name part of `value` (after the last '\' or
// ':'), loaded as a BMP, when that part ends in exactly ".bmp"; an empty bitmap otherwise and
// for a missing or empty entry.
TBitmap LoadSkinImage(const TSkinReader& reader, std::string_view value);

} // namespace skin
