#include "tools/skingen/control_images.h"

#include "skin/data/core/bitmap_routines.h"
#include "tools/skingen/frame_images.h"
#include "tools/skingen/glyphs.h"

#include <cmath>

namespace skingen {

namespace {

// The states most strips share.
enum class State { kNormal, kPressed, kDisabled, kHot, kFocused };

TBitmap Strip(int cellWidth, int cellHeight, int cells) {
  TBitmap strip(cellWidth * cells, cellHeight);
  strip.Fill(kClear);
  return strip;
}

TRect Cell(int index, int cellWidth, int cellHeight) {
  return {index * cellWidth, 0, (index + 1) * cellWidth, cellHeight};
}

// A rounded, softly shaded button face in a state.
void Face(const Theme& t, TBitmap& image, TRect r, State state, int radius) {
  Pixel top = t.faceLight, bottom = t.faceDark, edge = t.edge;
  switch (state) {
  case State::kPressed:
    top = t.pressedTop, bottom = t.pressedBottom, edge = t.edgeHot;
    break;
  case State::kDisabled:
    top = t.disabledFace, bottom = t.disabledFace, edge = t.edgeDisabled;
    break;
  case State::kHot:
    top = t.hotTop, bottom = t.hotBottom, edge = t.edgeHot;
    break;
  default:
    break;
  }
  VerticalGradient(image, r, top, bottom);
  Outline(image, r, edge);
  if (state == State::kFocused) {
    Outline(image, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1},
            Mix(t.edgeHot, t.faceShine, 0.45));
    Outline(image, r, t.edgeHot);
  } else if (state != State::kPressed && state != State::kDisabled) {
    image.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 2}, t.faceShine); // top light
  }
  Corners(t, image, r, radius, Mix(edge, t.face, 0.4));
}

// Push buttons: normal, pressed, disabled, hot, focused.
TBitmap PushButtons(const Theme& t) {
  constexpr int w = 24, h = 22;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot,
                           State::kFocused};
  for (int i = 0; i < 5; ++i)
    Face(t, strip, Cell(i, w, h), states[i], t.controlCorner);
  return strip;
}

// Check boxes, 12 cells: unchecked, checked and indeterminate, each normal, hot, pressed,
// disabled.
TBitmap CheckBoxes(const Theme& t) {
  TBitmap strip = Strip(kCheckCell, kCheckCell, 12);
  const State states[4] = {State::kNormal, State::kHot, State::kPressed, State::kDisabled};
  for (int mark = 0; mark < 3; ++mark) {
    for (int s = 0; s < 4; ++s) {
      const TRect r = Cell(mark * 4 + s, kCheckCell, kCheckCell);
      const State state = states[s];
      VerticalGradient(strip, r, state == State::kDisabled ? t.disabledFace : t.field,
                       state == State::kPressed    ? t.pressedTop
                       : state == State::kHot      ? t.hotBottom
                       : state == State::kDisabled ? t.disabledFace
                                                   : t.faceDark);
      Outline(strip, r,
              state == State::kDisabled ? t.edgeDisabled
              : state == State::kNormal ? t.edge
                                        : t.edgeHot);
      const Pixel ink = state == State::kDisabled ? t.markDisabled : t.mark;
      if (mark == 1) DrawGlyph(strip, r, kCheckMark, ink, 0);
      if (mark == 2) strip.FillRect({r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4}, ink);
    }
  }
  return strip;
}

// Radio buttons, 8 cells: unchecked and checked, each normal, hot, pressed, disabled; discs, or
// diamonds.
TBitmap RadioButtons(const Theme& t) {
  TBitmap strip = Strip(kCheckCell, kCheckCell, 8);
  const State states[4] = {State::kNormal, State::kHot, State::kPressed, State::kDisabled};
  for (int checked = 0; checked < 2; ++checked) {
    for (int s = 0; s < 4; ++s) {
      const TRect r = Cell(checked * 4 + s, kCheckCell, kCheckCell);
      const State state = states[s];
      const Pixel edge = state == State::kDisabled ? t.edgeDisabled
                         : state == State::kNormal ? t.edge
                                                   : t.edgeHot;
      const Pixel ink = state == State::kDisabled ? t.markDisabled : t.mark;
      for (int y = 0; y < kCheckCell; ++y) {
        for (int x = 0; x < kCheckCell; ++x) {
          // Distance from the centre: round, or along the diamond's sides.
          const double dx = x - 6.0, dy = y - 6.0;
          const double d =
              t.diamondRadio ? (std::abs(dx) + std::abs(dy)) * 1.05 : std::hypot(dx, dy);
          Pixel p = kClear;
          if (d <= 5.0) {
            const double depth = y / 12.0;
            p = state == State::kDisabled ? t.disabledFace
                                          : Mix(t.field,
                                                state == State::kPressed ? t.pressedTop
                                                : state == State::kHot   ? t.hotBottom
                                                                         : t.faceDark,
                                                depth);
          } else if (d <= 6.3) {
            p = d > 5.9 ? Mix(edge, t.face, 0.5) : edge;
          }
          if (checked == 1 && d <= 2.4) p = d > 1.9 ? Mix(ink, t.field, 0.4) : ink;
          strip.At(r.Left + x, y) = p;
        }
      }
    }
  }
  return strip;
}

// Scroll bar arrows and grips, 23 cells: left, right, up, down arrows (normal, pressed,
// disabled, hot), horizontal and vertical grips (normal, pressed, hot), one spare.
TBitmap ScrollArrows(const Theme& t) {
  TBitmap strip = Strip(kScrollCell, kScrollCell, 23);
  const GlyphRows* arrows[4] = {&kArrowLeft, &kArrowRight, &kArrowUp, &kArrowDown};
  const State states[4] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};
  for (int a = 0; a < 4; ++a) {
    for (int s = 0; s < 4; ++s) {
      const TRect r = Cell(a * 4 + s, kScrollCell, kScrollCell);
      Face(t, strip, r, states[s], 2);
      DrawGlyph(strip, r, *arrows[a], states[s] == State::kDisabled ? t.markDisabled : t.glyph,
                states[s] == State::kPressed ? 1 : 0);
    }
  }
  for (int g = 0; g < 6; ++g) {
    const TRect r = Cell(16 + g, kScrollCell, kScrollCell);
    const Pixel ink = g % 3 == 0 ? t.grip : t.gripHot;
    DrawGlyph(strip, r, kGripHorizontal, ink, 0);
  }
  return strip;
}

// A scroll track: enabled, pressed, disabled, hot.
TBitmap ScrollTrack(const Theme& t, bool vertical) {
  TBitmap strip = Strip(kScrollCell, kScrollCell, 4);
  for (int i = 0; i < 4; ++i) {
    const TRect r = Cell(i, kScrollCell, kScrollCell);
    const Pixel top = t.scrollTrack[i];
    VerticalGradient(strip, r, top, Mix(top, t.faceShine, 0.5));
    strip.FillRect({r.Left, 0, r.Right, 1}, Mix(top, t.edge, 0.4));
  }
  if (vertical) skin::RotateRight(strip); // a vertical track is the horizontal one turned
  if (vertical) {
    // Turning stacks the cells; lay them side by side again.
    TBitmap sideBySide = Strip(kScrollCell, kScrollCell, 4);
    for (int i = 0; i < 4; ++i)
      fw::CopyPixels(sideBySide, i * kScrollCell, 0, strip,
                     {0, i * kScrollCell, kScrollCell, (i + 1) * kScrollCell});
    return sideBySide;
  }
  return strip;
}

// A scroll thumb: normal, pressed, hot.
TBitmap ScrollThumb(const Theme& t, bool vertical) {
  const int w = vertical ? kScrollCell : 24, h = vertical ? 24 : kScrollCell;
  TBitmap strip = Strip(w, h, 3);
  const State states[3] = {State::kNormal, State::kPressed, State::kHot};
  for (int i = 0; i < 3; ++i) {
    const TRect r = Cell(i, w, h);
    const TRect inset = {r.Left + (vertical ? 1 : 0), r.Top + (vertical ? 0 : 1),
                         r.Right - (vertical ? 1 : 0), r.Bottom - (vertical ? 0 : 1)};
    Face(t, strip, inset, states[i], t.controlCorner);
  }
  return strip;
}

// Track bar thumbs, 5 cells (the painter uses the second): a rounded pill or an arrow shape
// pointing `towards` ('n' none, 'u', 'd', 'l', 'r').
TBitmap TrackThumb(const Theme& t, bool vertical, char towards) {
  const int w = vertical ? 19 : 11, h = vertical ? 11 : 19;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kNormal, State::kPressed, State::kDisabled,
                           State::kHot};
  for (int i = 0; i < 5; ++i) {
    const TRect r = Cell(i, w, h);
    Face(t, strip, r, states[i], towards == 'n' ? t.controlCorner : 2);
    // Cut the pointed end: a triangle of magenta on each side of the tip.
    const int tip = 5;
    for (int k = 0; k < tip; ++k) {
      for (int j = 0; j < tip - k; ++j) {
        auto clear = [&](int x, int y) { strip.SetPixel(r.Left + x, y, kClear); };
        if (towards == 'd') clear(j, h - 1 - k), clear(w - 1 - j, h - 1 - k);
        if (towards == 'u') clear(j, k), clear(w - 1 - j, k);
        if (towards == 'r') clear(w - 1 - k, j), clear(w - 1 - k, h - 1 - j);
        if (towards == 'l') clear(k, j), clear(k, h - 1 - j);
      }
    }
  }
  return strip;
}

// Up-down buttons, 8 cells: first button normal, pressed, disabled, hot, then the second.
// The glyph image holds the arrows for the same cells.
void UpDown(const Theme& t, bool vertical, TBitmap& faces, TBitmap& glyphs) {
  const int w = vertical ? 16 : 11, h = vertical ? 11 : 16;
  faces = Strip(w, h, 8);
  glyphs = Strip(9, 9, 8);
  const State states[4] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};
  for (int i = 0; i < 8; ++i) {
    Face(t, faces, Cell(i, w, h), states[i % 4], 2);
    const GlyphRows& arrow =
        vertical ? (i < 4 ? kArrowUp : kArrowDown) : (i < 4 ? kArrowLeft : kArrowRight);
    DrawGlyph(glyphs, Cell(i, 9, 9), arrow, i % 4 == 2 ? t.markDisabled : t.glyph, 0);
  }
}

// Progress: the trough, then the bar.
TBitmap Progress(const Theme& t) {
  TBitmap strip = Strip(20, 14, 2);
  const TRect trough = Cell(0, 20, 14), bar = Cell(1, 20, 14);
  VerticalGradient(strip, trough, t.progressTrough.top, t.progressTrough.bottom);
  Outline(strip, trough, t.progressTrough.edge);
  Corners(t, strip, trough, 3, Mix(t.progressTrough.edge, t.face, 0.4));
  VerticalGradient(strip, bar, t.progressBar.top, t.progressBar.bottom);
  strip.FillRect({bar.Left + 1, 1, bar.Right - 1, 3}, t.progressShine);
  Outline(strip, bar, t.progressBar.edge);
  Corners(t, strip, bar, 3, t.progressBar.edge);
  return strip;
}

TBitmap ProgressChunk(const Theme& t) {
  TBitmap chunk(8, 10);
  chunk.Fill(kClear);
  VerticalGradient(chunk, {0, 0, 7, 10}, t.progressBar.top, t.progressBar.bottom);
  return chunk;
}

// A rounded outline on transparent ground (group box edges, tab panes): two states.
TBitmap Edge(const Theme& t, int size, int cells, Pixel inside) {
  TBitmap strip = Strip(size, size, cells);
  for (int i = 0; i < cells; ++i) {
    const TRect r = Cell(i, size, size);
    strip.FillRect(r, inside);
    Outline(strip, r, i == 0 ? t.panelEdge : t.panelEdgeDisabled);
    Outline(strip, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, t.panelEdgeLight);
    Corners(t, strip, r, 4, t.panelEdge);
  }
  return strip;
}

// The group box caption's background: a small tab.
TBitmap GroupLabel(const Theme& t) {
  TBitmap label(24, 18);
  label.Fill(kClear);
  VerticalGradient(label, {0, 0, 24, 18}, t.groupLabel.top, t.groupLabel.bottom);
  Outline(label, {0, 0, 24, 18}, t.groupLabel.edge);
  Corners(t, label, {0, 0, 24, 18}, 5, t.groupLabel.edge);
  return label;
}

// Tabs: normal, selected, disabled, hot, focused; open at the bottom.
TBitmap Tabs(const Theme& t) {
  constexpr int w = 24, h = 22;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kFocused, State::kDisabled, State::kHot,
                           State::kFocused};
  for (int i = 0; i < 5; ++i) {
    const TRect r = Cell(i, w, h);
    const bool selected = i == 1 || i == 4;
    const TRect body{r.Left, selected ? 0 : 2, r.Right, h};
    VerticalGradient(strip, body, selected ? t.faceShine : t.faceLight,
                     selected                   ? t.face
                     : states[i] == State::kHot ? t.hotBottom
                                                : t.faceDark);
    Outline(strip, {body.Left, body.Top, body.Right, body.Bottom + 1}, t.edge);
    if (selected) strip.FillRect({r.Left + 1, 0, r.Right - 1, 2}, t.edgeHot);
    Corners(t, strip, body, 3, Mix(t.edge, t.face, 0.4), true, false);
  }
  return strip;
}

// Combo box: the drop button (right column) and the sunken edge of the whole box, 4 states
// (normal, pressed, disabled, hot), and the arrow glyphs with the size grip.
TBitmap ComboButton(const Theme& t) {
  constexpr int w = 18, h = 21;
  TBitmap strip = Strip(w, h, 4);
  const State states[4] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};
  for (int i = 0; i < 4; ++i) {
    const TRect r = Cell(i, w, h);
    const TRect face{r.Left + 1, 2, r.Right - 2, h - 2};
    Face(t, strip, face, states[i], 2);
  }
  return strip;
}

TBitmap SunkEdge(const Theme& t) {
  constexpr int w = 20, h = 21;
  TBitmap strip = Strip(w, h, 4);
  const Pixel edges[4] = {t.edge, t.edgeHot, t.edgeDisabled, t.edgeHot};
  for (int i = 0; i < 4; ++i) {
    const TRect r = Cell(i, w, h);
    strip.FillRect(r, i == 2 ? t.disabledFace : t.field);
    Outline(strip, r, edges[i]);
    strip.FillRect({r.Left + 1, 1, r.Right - 1, 2}, t.fieldShadow); // inner shadow
  }
  return strip;
}

TBitmap ExtraImages(const Theme& t) {
  constexpr int w = 18, h = 21;
  TBitmap strip = Strip(w, h, 5);
  for (int i = 0; i < 4; ++i)
    DrawGlyph(strip, Cell(i, w, h), kChevronDown, i == 2 ? t.markDisabled : t.glyph,
              i == 1 ? 1 : 0);
  DrawGlyph(strip, Cell(4, w, h), kSizeGrip, t.sizeGrip, 2);
  return strip;
}

// Menu items: normal (transparent), separator, disabled, selected, spare.
TBitmap MenuItems(const Theme& t) {
  constexpr int w = 30, h = 22;
  TBitmap strip = Strip(w, h, 5);
  const TRect separator = Cell(1, w, h);
  strip.FillRect({separator.Left + 4, h / 2 - 1, separator.Right - 4, h / 2}, t.menuSeparatorDark);
  strip.FillRect({separator.Left + 4, h / 2, separator.Right - 4, h / 2 + 1}, t.menuSeparatorLight);
  const Shade& s = t.menuSelection;
  for (int i : {3, 4}) {
    const TRect r = Cell(i, w, h);
    const TRect box{r.Left + 2, 1, r.Right - 2, h - 1};
    VerticalGradient(strip, box, s.top, s.bottom);
    Outline(strip, box, s.edge);
    Corners(t, strip, box, t.controlCorner, Mix(s.edge, s.bottom, 0.5));
  }
  return strip;
}

TBitmap MenuBackground(const Theme& t) {
  TBitmap image(24, 24);
  VerticalGradient(image, {0, 0, 24, 24}, t.menuBackTop, t.menuBackBottom);
  image.FillRect({1, 1, 24 - 1, 24 - 1}, t.menuBackTop);
  image.FillRect({1, 1, 24, 24}, t.menuBackTop); // ... and a light margin strip at the left:
  HorizontalGradient(image, {1, 1, 22, 23}, t.menuMargin, t.menuBackTop);
  image.FillRect({22, 1, 23, 23}, t.menuBackTop);
  Outline(image, {0, 0, 24, 24}, t.menuBackEdge);
  return image;
}

// Header items: normal, hot, pressed, disabled, spare.
TBitmap Headerbar(const Theme& t) {
  constexpr int w = 30, h = 20;
  TBitmap strip = Strip(w, h, 5);
  const Pixel bottoms[5] = {t.faceDark, t.hotBottom, t.pressedTop, t.disabledFace, t.faceDark};
  for (int i = 0; i < 5; ++i) {
    const TRect r = Cell(i, w, h);
    VerticalGradient(strip, r, t.faceShine, bottoms[i]);
    strip.FillRect({r.Left, h - 1, r.Right, h}, t.headerLine);
    strip.FillRect({r.Right - 1, 3, r.Right, h - 3}, t.headerDivider);
    if (i == 1) strip.FillRect({r.Left, h - 2, r.Right, h}, t.headerHotMarker); // hot marker
  }
  return strip;
}

// Status bar panels: lowered, raised, flat.
TBitmap StatusBarEdges(const Theme& t) {
  constexpr int w = 12, h = 18;
  TBitmap strip = Strip(w, h, 3);
  for (int i = 0; i < 3; ++i) {
    const TRect r = Cell(i, w, h);
    VerticalGradient(strip, r, t.statusTop, t.statusBottom);
    if (i == 0) Bevel(strip, r, t.statusEdge, t.statusLight);
    if (i == 1) Bevel(strip, r, t.statusLight, t.statusEdge);
  }
  return strip;
}

// Tool bar buttons: normal (flat), pressed, disabled, hot, checked.
TBitmap ToolBars(const Theme& t) {
  constexpr int w = 24, h = 24;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot,
                           State::kPressed};
  for (int i = 0; i < 5; ++i) {
    if (i == 0 || i == 2) continue; // flat: the tool bar shows through
    Face(t, strip, Cell(i, w, h), states[i], t.controlCorner);
  }
  return strip;
}

} // namespace

TBitmap TrackChannel(const Theme& t, bool vertical) {
  const int w = vertical ? 6 : 14, h = vertical ? 14 : 6;
  TBitmap track(w, h);
  track.Fill(t.trackFill);
  Bevel(track, {0, 0, w, h}, t.trackDark, t.trackLight);
  track.FillRect({1, 1, w - 1, h - 1}, t.trackInside);
  return track;
}

void AddControlImages(const Theme& t, std::vector<NamedImage>& out) {
  out.push_back({"button.bmp", PushButtons(t)});
  out.push_back({"checkbox.bmp", CheckBoxes(t)});
  out.push_back({"radio.bmp", RadioButtons(t)});
  out.push_back({"scrollbar.bmp", ScrollArrows(t)});
  out.push_back({"hscroll.bmp", ScrollTrack(t, false)});
  out.push_back({"vscroll.bmp", ScrollTrack(t, true)});
  out.push_back({"hthumb.bmp", ScrollThumb(t, false)});
  out.push_back({"vthumb.bmp", ScrollThumb(t, true)});
  out.push_back({"track.bmp", TrackChannel(t, false)});
  out.push_back({"trackvert.bmp", TrackChannel(t, true)});
  out.push_back({"thumbhorz.bmp", TrackThumb(t, false, 'n')});
  out.push_back({"thumbvert.bmp", TrackThumb(t, true, 'n')});
  out.push_back({"thumbup.bmp", TrackThumb(t, false, 'u')});
  out.push_back({"thumbdown.bmp", TrackThumb(t, false, 'd')});
  out.push_back({"thumbleft.bmp", TrackThumb(t, true, 'l')});
  out.push_back({"thumbright.bmp", TrackThumb(t, true, 'r')});
  TBitmap faces, glyphs;
  UpDown(t, false, faces, glyphs);
  out.push_back({"updownhorz.bmp", faces});
  out.push_back({"updownhorzglyph.bmp", glyphs});
  UpDown(t, true, faces, glyphs);
  out.push_back({"updownvert.bmp", faces});
  out.push_back({"updownvertglyph.bmp", glyphs});
  out.push_back({"progress.bmp", Progress(t)});
  out.push_back({"progresschunk.bmp", ProgressChunk(t)});
  out.push_back({"groupboxedge.bmp", Edge(t, 12, 2, kClear)});
  out.push_back({"groupbox.bmp", GroupLabel(t)});
  out.push_back({"tabs.bmp", Tabs(t)});
  out.push_back({"tabborder.bmp", Edge(t, 12, 1, kClear)});
  out.push_back({"tabpane.bmp", Edge(t, 12, 1, t.face)});
  out.push_back({"combobutton.bmp", ComboButton(t)});
  out.push_back({"sunkedge.bmp", SunkEdge(t)});
  out.push_back({"extra.bmp", ExtraImages(t)});
  out.push_back({"menuitem.bmp", MenuItems(t)});
  out.push_back({"menuback.bmp", MenuBackground(t)});
  out.push_back({"headerbar.bmp", Headerbar(t)});
  out.push_back({"statusbar.bmp", StatusBarEdges(t)});
  out.push_back({"toolbars.bmp", ToolBars(t)});
}

} // namespace skingen
