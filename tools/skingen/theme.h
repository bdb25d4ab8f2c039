// A skin's look for the skin generator: every colour the images use and the shapes and sizes
// that set one skin apart from another. The images are drawn by the same code for every theme;
// a theme is the whole difference. The numbers of a theme's INI description (resources/skin)
// state the same sizes.
#pragma once

#include "tools/skingen/paint.h"

#include <string>

namespace skingen {

// How corners are shaped: a quarter circle, or cut at 45 degrees.
enum class CornerStyle { kRound, kAngled };

// Three colours of a shaded shape: a vertical gradient and its outline.
struct Shade {
  Pixel top, bottom, edge;
};

struct Theme {
  std::string name; // the skin's name, as its INI says

  // --- Shapes and sizes.
  CornerStyle corners = CornerStyle::kRound;
  int windowCorner = 7;        // the window's top corners
  int windowBottomCorner = 3;  // its bottom corners
  int captionHeight = 30;      // the top border's height
  int borderWidth = 4;         // left, right and bottom borders
  int captionButtonWidth = 25; // one frame of a caption button
  int captionButtonHeight = 19;
  int captionButtonCorner = 3;
  int controlCorner = 3;             // buttons, thumbs, menu selections
  bool diamondRadio = false;         // radio buttons drawn as diamonds instead of discs
  bool captionShine = true;          // a light line along the top of the caption
  bool thinGlyphs = false;           // caption button symbols drawn with thin lines
  bool framedCaptionButtons = false; // caption buttons show their shape when not hot too

  // --- The window frame.
  Pixel captionTop, captionBottom, captionShineColour;
  Pixel captionLine; // the line under the caption
  int captionLineHeight = 1;
  Pixel frameOuter, frameInner, frameBody;
  Pixel inactiveGrey;       // inactive frames are mixed towards it
  double inactiveMix = 0.7; // by this much
  Shade textBack;           // the band behind the caption text
  Pixel captionGlyph, captionGlyphInactive;
  Shade captionButtonNormal; // only with framedCaptionButtons
  Shade captionButtonHot, captionButtonPressed, closeHot, closePressed;
  Pixel mdiGlyph;                 // the MDI child buttons of a menu bar
  Shade menuBar, menuBarInactive; // top, bottom and the line under the bar

  // --- Controls.
  Pixel face;                           // the window's face: the client area behind the controls
  Pixel faceLight, faceDark, faceShine; // a raised face's gradient and its top light
  Pixel edge, edgeHot, edgeDisabled;
  Pixel hotTop, hotBottom, pressedTop, pressedBottom, disabledFace;
  Pixel field;              // the inside of check boxes, radio buttons and edits
  Pixel mark, markDisabled; // check marks, radio dots
  Pixel glyph;              // arrows on buttons
  Pixel grip, gripHot;      // scroll thumb grips
  Pixel scrollTrack[4];     // normal, pressed, disabled, hot
  Shade progressTrough, progressBar;
  Pixel progressShine;
  Pixel panelEdge, panelEdgeDisabled, panelEdgeLight; // group boxes and tab panes
  Shade groupLabel;
  Pixel fieldShadow; // the line inside the top of a sunken field
  Pixel menuSeparatorDark, menuSeparatorLight;
  Shade menuSelection;
  Pixel menuBackTop, menuBackBottom, menuMargin, menuBackEdge;
  Pixel headerLine, headerDivider, headerHotMarker;
  Pixel statusTop, statusBottom, statusEdge, statusLight;
  Pixel trackFill, trackDark, trackLight, trackInside;
  Pixel sizeGrip;

  // The inactive form of a frame colour.
  Pixel Inactive(Pixel p) const { return Mix(p, inactiveGrey, inactiveMix); }
};

// The program's own skin: a deep lake-blue frame over light, cool grey-blue controls, rounded.
Theme LanlinLakeTheme();
// The second skin: an ink-black frame with a vermilion accent over warm paper-coloured
// controls, every corner cut at an angle, diamond radio buttons, square "seal" caption buttons.
Theme InkstoneTheme();

// The theme of a name ("lanlin-lake", "inkstone"); false when there is none.
bool ThemeNamed(const std::string& name, Theme& theme);

} // namespace skingen
