// TSkinBitButton: push buttons with a glyph, painted from the skin's Buttons element with the
// control's glyph strip (up, disabled, pressed, down) and caption laid out by its Layout, Margin
// and Spacing properties; a one-frame glyph is greyed when the button is disabled. A variant
// draws another graphic property of the control (a PNG image) instead of the glyph. The speed
// button skin derives from this class and shares the glyph and caption drawing.
#pragma once

#include "skin/controls/button.h"
#include "skin/controls/core/control_kinds.h"
#include "skin/controls/core/glyph_layout.h"

#include <memory>
#include <string>

namespace skin {

class TSkinBitButton : public TSkinButton {
public:
  static std::unique_ptr<TSkinControl> Create(const ControlDecision& decision);

  // The graphic property drawn instead of the Glyph; empty: the Glyph.
  std::wstring FImageProperty;

protected:
  void DoPaint(HDC dc, TRect rect) override;
  // The glyph frame `glyphFrame` and the caption FCaption of `control`, laid out in `rect`.
  void DrawGlyphAndCaption(HDC dc, TRect rect, fw::TControl& control, int glyphFrame,
                           bool speedButton);
  // Whether `control` has a glyph (or the image property) to draw.
  bool HasGlyph(fw::TControl& control) const;
};

// Frame `index` (1-based) of `numGlyphs` frames of `glyph` at (x, y), keyed on the frame's
// bottom-left colour; frame 1 when the strip has fewer frames than that, and a greyed copy for
// the disabled frame of a one-frame strip.
void DrawGlyphFrame(HDC dc, int x, int y, int numGlyphs, int index, const TBitmap& glyph);

// The Glyph (or other graphic) property of a control, or null when it has none or it is empty.
TBitmap* GlyphOf(fw::TControl& control, const std::wstring& property);

} // namespace skin
