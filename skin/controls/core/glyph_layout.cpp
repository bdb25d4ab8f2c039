#include "skin/controls/core/glyph_layout.h"

#include "skin/controls/core/control_layout.h"

namespace skin {

namespace {

constexpr int kTextInset = 2;
constexpr int kGlyphTextGap = 2;

bool Across(GlyphLayout layout) {
  return layout == GlyphLayout::Left || layout == GlyphLayout::Right;
}

} // namespace

GlyphLayout GlyphLayoutFromName(const std::string& lowerName) {
  if (lowerName == "blglyphright") return GlyphLayout::Right;
  if (lowerName == "blglyphtop") return GlyphLayout::Top;
  if (lowerName == "blglyphbottom") return GlyphLayout::Bottom;
  return GlyphLayout::Left;
}

TRect GlyphTextBounds(TSizeXY client, TSizeXY glyph, GlyphLayout layout) {
  TRect t{kTextInset, kTextInset, client.x - kTextInset, client.y - kTextInset};
  if (Across(layout))
    t.Right -= glyph.x + kGlyphTextGap;
  else
    t.Bottom -= glyph.y + kGlyphTextGap;
  return t;
}

GlyphPlacement PlaceGlyphAndText(TSizeXY client, TSizeXY glyph, TSizeXY text, GlyphLayout layout,
                                 int margin, int spacing, bool speedButton) {
  const bool across = Across(layout);
  // Along the layout direction: p is the client's length, g and s the glyph's and text's.
  const int p = across ? client.x : client.y;
  const int g = across ? glyph.x : glyph.y;
  const int s = across ? text.x : text.y;
  if (text.x == 0 || glyph.x == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (p - (g + s)) / 3;
  } else if (margin == -1) {
    margin = (p - (g + spacing + s)) / 2 + (speedButton ? 1 : 0);
  } else if (spacing == -1) {
    spacing = ((p - margin - g) - s) / 2;
  }
  // Left and top count from the start, right and bottom from the end.
  const bool fromEnd = layout == GlyphLayout::Right || layout == GlyphLayout::Bottom;
  const int glyphAt = fromEnd ? p - margin - g : margin;
  const int textAt = fromEnd ? glyphAt - spacing - s : margin + g + spacing;
  GlyphPlacement out;
  out.textFlags = kDtWordBreak | (!across ? kDtCenter : fromEnd ? kDtRight : 0u);
  // Across the layout direction both are centred.
  if (across) {
    out.glyph = {glyphAt, (client.y - glyph.y + 1) / 2};
    const int top = (client.y - text.y + 1) / 2;
    out.text = {textAt, top, textAt + text.x, top + text.y};
  } else {
    out.glyph = {(client.x - glyph.x + 1) / 2, glyphAt};
    const int left = (client.x - text.x + 1) / 2;
    out.text = {left, textAt, left + text.x, textAt + text.y};
  }
  return out;
}

TRect MenuButtonTextBounds(TSizeXY client, TSizeXY glyph) {
  return {kTextInset, kTextInset, client.x - glyph.x - kDropDownWidth - kTextInset,
          client.y - kTextInset};
}

MenuButtonPlacement PlaceMenuButton(TSizeXY client, TSizeXY glyph, TSizeXY text, int margin,
                                    int spacing) {
  const int w = client.x;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (w - (glyph.x + text.x + kDropDownWidth)) / 4;
  } else if (margin == -1) {
    margin = (w - (glyph.x + text.x + kDropDownWidth + 2 * spacing)) / 2;
  } else if (spacing == -1) {
    spacing = ((w - 2 * margin - glyph.x + kDropDownWidth) - text.x) / 2;
  }
  MenuButtonPlacement out;
  out.glyph = {margin, (client.y - glyph.y) / 2};
  out.text = {margin + glyph.x + spacing, (client.y - text.y + 1) / 2};
  out.arrow = {out.text.x + text.x + 2 * spacing, (client.y - 3) / 2};
  return out;
}

int GlyphFrame(ButtonFace face, bool down) {
  if (down) return 4;
  if (face == ButtonFace::Pressed) return 3;
  if (face == ButtonFace::Disabled) return 2;
  return 1;
}

ButtonFace SpeedButtonFace(TMouseState mouse, bool down, bool enabled) {
  if (down) return ButtonFace::Pressed;
  if (!enabled) return ButtonFace::Disabled;
  if (mouse.Pressed()) return ButtonFace::Pressed;
  return mouse.Hot() ? ButtonFace::Hot : ButtonFace::Normal;
}

ButtonFace MenuButtonFace(TMouseState mouse, bool focused, bool enabled) {
  if (!enabled) return ButtonFace::Disabled;
  if (mouse.Pressed()) return ButtonFace::Pressed;
  return focused || mouse.Hot() ? ButtonFace::Hot : ButtonFace::Normal;
}

} // namespace skin
