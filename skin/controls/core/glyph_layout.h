// Where the glyph and the caption of a button with a glyph go: the bit button's and speed
// button's four layouts (glyph left, right, above or below the caption) with their margin and
// spacing rules, the one-row layout of a menu button (glyph, caption, drop-down triangle), and
// which frame of a glyph strip a button shows in which state. Text is measured by the caller;
// these functions take the measured sizes.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/controls/core/control_states.h"

#include <string>

namespace skin {

using fw::TRect;

struct TSizeXY {
  int x = 0, y = 0;
  constexpr bool operator==(const TSizeXY&) const = default;
};

enum class GlyphLayout { Left = 0, Right = 1, Top = 2, Bottom = 3 };

// The layout named by a Layout property value ("blGlyphLeft", ...) in lower case; left for
// anything else.
GlyphLayout GlyphLayoutFromName(const std::string& lowerName);

// The rectangle a caption is measured in beside a glyph of `glyph`, in a client of `client`.
TRect GlyphTextBounds(TSizeXY client, TSizeXY glyph, GlyphLayout layout);

struct GlyphPlacement {
  TSizeXY glyph;          // top-left of the glyph
  TRect text;             // where the caption is drawn
  unsigned textFlags = 0; // DrawText flags of the caption
};

// `margin` and `spacing` are the properties' values, -1 meaning automatic. A speed button keeps
// its automatic margin one pixel further in.
GlyphPlacement PlaceGlyphAndText(TSizeXY client, TSizeXY glyph, TSizeXY text, GlyphLayout layout,
                                 int margin, int spacing, bool speedButton);

// The menu button's row.
inline constexpr int kDropDownWidth = 8;
struct MenuButtonPlacement {
  TSizeXY glyph;
  TSizeXY text;
  TSizeXY arrow; // centre x and base line y of the drop-down triangle
};
// The rectangle the menu button's caption is measured in.
TRect MenuButtonTextBounds(TSizeXY client, TSizeXY glyph);
MenuButtonPlacement PlaceMenuButton(TSizeXY client, TSizeXY glyph, TSizeXY text, int margin,
                                    int spacing);

// Frames of a glyph strip: 1 up, 2 disabled, 3 pressed, 4 latched down.
int GlyphFrame(ButtonFace face, bool down);
// The face of a speed button: latched down shows pressed, then disabled, then the mouse state.
ButtonFace SpeedButtonFace(TMouseState mouse, bool down, bool enabled);
// A flat speed button shows its face only pressed or hot.
inline bool SpeedButtonFaceShown(ButtonFace face, bool flat) {
  return !flat || face == ButtonFace::Pressed || face == ButtonFace::Hot;
}
// The menu button's face: pressed, then focused or hot (it has no focused frame), disabled over
// everything.
ButtonFace MenuButtonFace(TMouseState mouse, bool focused, bool enabled);

} // namespace skin
