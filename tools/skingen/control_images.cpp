#include "tools/skingen/control_images.h"

#include "skin/data/core/bitmap_routines.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/palette.h"

#include <cmath>

namespace skingen {

using namespace palette;

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
void Face(TBitmap& image, TRect r, State state, int radius) {
  Pixel top = kFaceLight, bottom = kFaceDark, edge = kEdge;
  switch (state) {
  case State::kPressed:
    top = kPressedTop, bottom = kPressedBottom, edge = kEdgeHot;
    break;
  case State::kDisabled:
    top = kDisabledFace, bottom = kDisabledFace, edge = kEdgeDisabled;
    break;
  case State::kHot:
    top = kHotTop, bottom = kHotBottom, edge = kEdgeHot;
    break;
  default:
    break;
  }
  VerticalGradient(image, r, top, bottom);
  Outline(image, r, edge);
  if (state == State::kFocused) {
    Outline(image, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, Mix(kEdgeHot, kWhite, 0.45));
    Outline(image, r, kEdgeHot);
  } else if (state != State::kPressed && state != State::kDisabled) {
    image.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 2}, kWhite); // top light
  }
  RoundCorners(image, r, radius, Mix(edge, kFace, 0.4));
}

// Push buttons: normal, pressed, disabled, hot, focused.
TBitmap PushButtons() {
  constexpr int w = 24, h = 22;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot,
                           State::kFocused};
  for (int i = 0; i < 5; ++i)
    Face(strip, Cell(i, w, h), states[i], 3);
  return strip;
}

// Check boxes, 12 cells: unchecked, checked and indeterminate, each normal, hot, pressed,
// disabled.
TBitmap CheckBoxes() {
  TBitmap strip = Strip(kCheckCell, kCheckCell, 12);
  const State states[4] = {State::kNormal, State::kHot, State::kPressed, State::kDisabled};
  for (int mark = 0; mark < 3; ++mark) {
    for (int s = 0; s < 4; ++s) {
      const TRect r = Cell(mark * 4 + s, kCheckCell, kCheckCell);
      const State state = states[s];
      VerticalGradient(strip, r, state == State::kDisabled ? kDisabledFace : kWhite,
                       state == State::kPressed    ? kPressedTop
                       : state == State::kHot      ? kHotBottom
                       : state == State::kDisabled ? kDisabledFace
                                                   : kFaceDark);
      Outline(strip, r,
              state == State::kDisabled ? kEdgeDisabled
              : state == State::kNormal ? kEdge
                                        : kEdgeHot);
      const Pixel ink = state == State::kDisabled ? kMarkDisabled : kMark;
      if (mark == 1) DrawGlyph(strip, r, kCheckMark, ink, 0);
      if (mark == 2) strip.FillRect({r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4}, ink);
    }
  }
  return strip;
}

// Radio buttons, 8 cells: unchecked and checked, each normal, hot, pressed, disabled.
TBitmap RadioButtons() {
  TBitmap strip = Strip(kCheckCell, kCheckCell, 8);
  const State states[4] = {State::kNormal, State::kHot, State::kPressed, State::kDisabled};
  for (int checked = 0; checked < 2; ++checked) {
    for (int s = 0; s < 4; ++s) {
      const TRect r = Cell(checked * 4 + s, kCheckCell, kCheckCell);
      const State state = states[s];
      const Pixel edge = state == State::kDisabled ? kEdgeDisabled
                         : state == State::kNormal ? kEdge
                                                   : kEdgeHot;
      const Pixel ink = state == State::kDisabled ? kMarkDisabled : kMark;
      for (int y = 0; y < kCheckCell; ++y) {
        for (int x = 0; x < kCheckCell; ++x) {
          const double d = std::hypot(x - 6.0, y - 6.0);
          Pixel p = kClear;
          if (d <= 5.0) {
            const double t = y / 12.0;
            p = state == State::kDisabled ? kDisabledFace
                                          : Mix(kWhite,
                                                state == State::kPressed ? kPressedTop
                                                : state == State::kHot   ? kHotBottom
                                                                         : kFaceDark,
                                                t);
          } else if (d <= 6.3) {
            p = d > 5.9 ? Mix(edge, kFace, 0.5) : edge;
          }
          if (checked == 1 && d <= 2.4) p = d > 1.9 ? Mix(ink, kWhite, 0.4) : ink;
          strip.At(r.Left + x, y) = p;
        }
      }
    }
  }
  return strip;
}

// Scroll bar arrows and grips, 23 cells: left, right, up, down arrows (normal, pressed,
// disabled, hot), horizontal and vertical grips (normal, pressed, hot), one spare.
TBitmap ScrollArrows() {
  TBitmap strip = Strip(kScrollCell, kScrollCell, 23);
  const GlyphRows* arrows[4] = {&kArrowLeft, &kArrowRight, &kArrowUp, &kArrowDown};
  const State states[4] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};
  for (int a = 0; a < 4; ++a) {
    for (int s = 0; s < 4; ++s) {
      const TRect r = Cell(a * 4 + s, kScrollCell, kScrollCell);
      Face(strip, r, states[s], 2);
      DrawGlyph(strip, r, *arrows[a],
                states[s] == State::kDisabled ? kMarkDisabled : Rgb(52, 70, 100),
                states[s] == State::kPressed ? 1 : 0);
    }
  }
  for (int g = 0; g < 6; ++g) {
    const TRect r = Cell(16 + g, kScrollCell, kScrollCell);
    const Pixel ink = g % 3 == 0 ? Rgb(120, 140, 170) : kMark;
    DrawGlyph(strip, r, kGripHorizontal, ink, 0);
  }
  return strip;
}

// A scroll track: enabled, pressed, disabled, hot.
TBitmap ScrollTrack(bool vertical) {
  TBitmap strip = Strip(kScrollCell, kScrollCell, 4);
  const Pixel tops[4] = {Rgb(230, 235, 242), Rgb(206, 216, 232), Rgb(240, 241, 243),
                         Rgb(222, 230, 242)};
  for (int i = 0; i < 4; ++i) {
    const TRect r = Cell(i, kScrollCell, kScrollCell);
    VerticalGradient(strip, r, tops[i], Mix(tops[i], kWhite, 0.5));
    strip.FillRect({r.Left, 0, r.Right, 1}, Mix(tops[i], kEdge, 0.4));
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
TBitmap ScrollThumb(bool vertical) {
  const int w = vertical ? kScrollCell : 24, h = vertical ? 24 : kScrollCell;
  TBitmap strip = Strip(w, h, 3);
  const State states[3] = {State::kNormal, State::kPressed, State::kHot};
  for (int i = 0; i < 3; ++i) {
    const TRect r = Cell(i, w, h);
    const TRect inset = {r.Left + (vertical ? 1 : 0), r.Top + (vertical ? 0 : 1),
                         r.Right - (vertical ? 1 : 0), r.Bottom - (vertical ? 0 : 1)};
    Face(strip, inset, states[i], 3);
  }
  return strip;
}

// Track bar thumbs, 5 cells (the painter uses the second): a rounded pill or an arrow shape
// pointing `towards` ('n' none, 'u', 'd', 'l', 'r').
TBitmap TrackThumb(bool vertical, char towards) {
  const int w = vertical ? 19 : 11, h = vertical ? 11 : 19;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kNormal, State::kPressed, State::kDisabled,
                           State::kHot};
  for (int i = 0; i < 5; ++i) {
    const TRect r = Cell(i, w, h);
    Face(strip, r, states[i], towards == 'n' ? 3 : 2);
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
void UpDown(bool vertical, TBitmap& faces, TBitmap& glyphs) {
  const int w = vertical ? 16 : 11, h = vertical ? 11 : 16;
  faces = Strip(w, h, 8);
  glyphs = Strip(9, 9, 8);
  const State states[4] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};
  for (int i = 0; i < 8; ++i) {
    Face(faces, Cell(i, w, h), states[i % 4], 2);
    const GlyphRows& arrow =
        vertical ? (i < 4 ? kArrowUp : kArrowDown) : (i < 4 ? kArrowLeft : kArrowRight);
    DrawGlyph(glyphs, Cell(i, 9, 9), arrow, i % 4 == 2 ? kMarkDisabled : Rgb(52, 70, 100), 0);
  }
}

// Progress: the trough, then the bar.
TBitmap Progress() {
  TBitmap strip = Strip(20, 14, 2);
  const TRect trough = Cell(0, 20, 14), bar = Cell(1, 20, 14);
  VerticalGradient(strip, trough, Rgb(226, 232, 240), Rgb(246, 248, 251));
  Outline(strip, trough, kEdge);
  RoundCorners(strip, trough, 3, Mix(kEdge, kFace, 0.4));
  VerticalGradient(strip, bar, Rgb(120, 200, 120), Rgb(46, 150, 64));
  strip.FillRect({bar.Left + 1, 1, bar.Right - 1, 3}, Rgb(178, 232, 170));
  Outline(strip, bar, Rgb(40, 120, 56));
  RoundCorners(strip, bar, 3, Rgb(40, 120, 56));
  return strip;
}

TBitmap ProgressChunk() {
  TBitmap chunk(8, 10);
  chunk.Fill(kClear);
  VerticalGradient(chunk, {0, 0, 7, 10}, Rgb(120, 200, 120), Rgb(46, 150, 64));
  return chunk;
}

// A rounded outline on transparent ground (group box edges, tab panes): two states.
TBitmap Edge(int size, int cells, Pixel inside) {
  TBitmap strip = Strip(size, size, cells);
  for (int i = 0; i < cells; ++i) {
    const TRect r = Cell(i, size, size);
    strip.FillRect(r, inside);
    Outline(strip, r, i == 0 ? Rgb(170, 186, 210) : kEdgeDisabled);
    Outline(strip, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, kWhite);
    RoundCorners(strip, r, 4, Rgb(170, 186, 210));
  }
  return strip;
}

// The group box caption's background: a small rounded tab.
TBitmap GroupLabel() {
  TBitmap label(24, 18);
  label.Fill(kClear);
  VerticalGradient(label, {0, 0, 24, 18}, kWhite, Rgb(226, 234, 246));
  Outline(label, {0, 0, 24, 18}, Rgb(170, 186, 210));
  RoundCorners(label, {0, 0, 24, 18}, 5, Rgb(170, 186, 210));
  return label;
}

// Tabs: normal, selected, disabled, hot, focused; open at the bottom.
TBitmap Tabs() {
  constexpr int w = 24, h = 22;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kFocused, State::kDisabled, State::kHot,
                           State::kFocused};
  for (int i = 0; i < 5; ++i) {
    const TRect r = Cell(i, w, h);
    const bool selected = i == 1 || i == 4;
    const TRect body{r.Left, selected ? 0 : 2, r.Right, h};
    VerticalGradient(strip, body, selected ? kWhite : kFaceLight,
                     selected                   ? kFace
                     : states[i] == State::kHot ? kHotBottom
                                                : kFaceDark);
    Outline(strip, {body.Left, body.Top, body.Right, body.Bottom + 1}, kEdge);
    if (selected) strip.FillRect({r.Left + 1, 0, r.Right - 1, 2}, kEdgeHot);
    RoundCorners(strip, body, 3, Mix(kEdge, kFace, 0.4), true, false);
  }
  return strip;
}

// Combo box: the drop button (right column) and the sunken edge of the whole box, 4 states
// (normal, pressed, disabled, hot), and the arrow glyphs with the size grip.
TBitmap ComboButton() {
  constexpr int w = 18, h = 21;
  TBitmap strip = Strip(w, h, 4);
  const State states[4] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot};
  for (int i = 0; i < 4; ++i) {
    const TRect r = Cell(i, w, h);
    const TRect face{r.Left + 1, 2, r.Right - 2, h - 2};
    Face(strip, face, states[i], 2);
  }
  return strip;
}

TBitmap SunkEdge() {
  constexpr int w = 20, h = 21;
  TBitmap strip = Strip(w, h, 4);
  const Pixel edges[4] = {kEdge, kEdgeHot, kEdgeDisabled, kEdgeHot};
  for (int i = 0; i < 4; ++i) {
    const TRect r = Cell(i, w, h);
    strip.FillRect(r, i == 2 ? kDisabledFace : kWhite);
    Outline(strip, r, edges[i]);
    strip.FillRect({r.Left + 1, 1, r.Right - 1, 2}, Rgb(226, 232, 240)); // inner shadow
  }
  return strip;
}

TBitmap ExtraImages() {
  constexpr int w = 18, h = 21;
  TBitmap strip = Strip(w, h, 5);
  for (int i = 0; i < 4; ++i)
    DrawGlyph(strip, Cell(i, w, h), kChevronDown, i == 2 ? kMarkDisabled : Rgb(52, 70, 100),
              i == 1 ? 1 : 0);
  DrawGlyph(strip, Cell(4, w, h), kSizeGrip, Rgb(130, 146, 172), 2);
  return strip;
}

// Menu items: normal (transparent), separator, disabled, selected, spare.
TBitmap MenuItems() {
  constexpr int w = 30, h = 22;
  TBitmap strip = Strip(w, h, 5);
  const TRect separator = Cell(1, w, h);
  strip.FillRect({separator.Left + 4, h / 2 - 1, separator.Right - 4, h / 2}, Rgb(200, 208, 222));
  strip.FillRect({separator.Left + 4, h / 2, separator.Right - 4, h / 2 + 1}, kWhite);
  for (int i : {3, 4}) {
    const TRect r = Cell(i, w, h);
    const TRect box{r.Left + 2, 1, r.Right - 2, h - 1};
    VerticalGradient(strip, box, Rgb(226, 240, 255), kSelection);
    Outline(strip, box, kSelectionEdge);
    RoundCorners(strip, box, 3, Mix(kSelectionEdge, kSelection, 0.5));
  }
  return strip;
}

TBitmap MenuBackground() {
  TBitmap image(24, 24);
  VerticalGradient(image, {0, 0, 24, 24}, kWhite, Rgb(246, 248, 252));
  image.FillRect({1, 1, 24 - 1, 24 - 1}, kWhite);
  image.FillRect({1, 1, 24, 24}, kWhite); // ... and a light margin strip at the left:
  HorizontalGradient(image, {1, 1, 22, 23}, Rgb(238, 243, 250), kWhite);
  image.FillRect({22, 1, 23, 23}, kWhite);
  Outline(image, {0, 0, 24, 24}, Rgb(150, 166, 192));
  return image;
}

// Header items: normal, hot, pressed, disabled, spare.
TBitmap Headerbar() {
  constexpr int w = 30, h = 20;
  TBitmap strip = Strip(w, h, 5);
  const Pixel bottoms[5] = {kFaceDark, kHotBottom, kPressedTop, kDisabledFace, kFaceDark};
  for (int i = 0; i < 5; ++i) {
    const TRect r = Cell(i, w, h);
    VerticalGradient(strip, r, kWhite, bottoms[i]);
    strip.FillRect({r.Left, h - 1, r.Right, h}, Rgb(176, 190, 212));
    strip.FillRect({r.Right - 1, 3, r.Right, h - 3}, Rgb(196, 206, 224));
    if (i == 1) strip.FillRect({r.Left, h - 2, r.Right, h}, Rgb(248, 180, 60)); // hot marker
  }
  return strip;
}

// Status bar panels: lowered, raised, flat.
TBitmap StatusBarEdges() {
  constexpr int w = 12, h = 18;
  TBitmap strip = Strip(w, h, 3);
  for (int i = 0; i < 3; ++i) {
    const TRect r = Cell(i, w, h);
    VerticalGradient(strip, r, Rgb(242, 245, 250), Rgb(228, 234, 243));
    if (i == 0) Bevel(strip, r, Rgb(170, 184, 206), kWhite);
    if (i == 1) Bevel(strip, r, kWhite, Rgb(170, 184, 206));
  }
  return strip;
}

// Tool bar buttons: normal (flat), pressed, disabled, hot, checked.
TBitmap ToolBars() {
  constexpr int w = 24, h = 24;
  TBitmap strip = Strip(w, h, 5);
  const State states[5] = {State::kNormal, State::kPressed, State::kDisabled, State::kHot,
                           State::kPressed};
  for (int i = 0; i < 5; ++i) {
    if (i == 0 || i == 2) continue; // flat: the tool bar shows through
    Face(strip, Cell(i, w, h), states[i], 3);
  }
  return strip;
}

} // namespace

TBitmap TrackChannel(bool vertical) {
  const int w = vertical ? 6 : 14, h = vertical ? 14 : 6;
  TBitmap track(w, h);
  track.Fill(Rgb(214, 222, 234));
  Bevel(track, {0, 0, w, h}, Rgb(140, 156, 182), kWhite);
  track.FillRect({1, 1, w - 1, h - 1}, Rgb(228, 234, 243));
  return track;
}

void AddControlImages(std::vector<NamedImage>& out) {
  out.push_back({"button.bmp", PushButtons()});
  out.push_back({"checkbox.bmp", CheckBoxes()});
  out.push_back({"radio.bmp", RadioButtons()});
  out.push_back({"scrollbar.bmp", ScrollArrows()});
  out.push_back({"hscroll.bmp", ScrollTrack(false)});
  out.push_back({"vscroll.bmp", ScrollTrack(true)});
  out.push_back({"hthumb.bmp", ScrollThumb(false)});
  out.push_back({"vthumb.bmp", ScrollThumb(true)});
  out.push_back({"track.bmp", TrackChannel(false)});
  out.push_back({"trackvert.bmp", TrackChannel(true)});
  out.push_back({"thumbhorz.bmp", TrackThumb(false, 'n')});
  out.push_back({"thumbvert.bmp", TrackThumb(true, 'n')});
  out.push_back({"thumbup.bmp", TrackThumb(false, 'u')});
  out.push_back({"thumbdown.bmp", TrackThumb(false, 'd')});
  out.push_back({"thumbleft.bmp", TrackThumb(true, 'l')});
  out.push_back({"thumbright.bmp", TrackThumb(true, 'r')});
  TBitmap faces, glyphs;
  UpDown(false, faces, glyphs);
  out.push_back({"updownhorz.bmp", faces});
  out.push_back({"updownhorzglyph.bmp", glyphs});
  UpDown(true, faces, glyphs);
  out.push_back({"updownvert.bmp", faces});
  out.push_back({"updownvertglyph.bmp", glyphs});
  out.push_back({"progress.bmp", Progress()});
  out.push_back({"progresschunk.bmp", ProgressChunk()});
  out.push_back({"groupboxedge.bmp", Edge(12, 2, kClear)});
  out.push_back({"groupbox.bmp", GroupLabel()});
  out.push_back({"tabs.bmp", Tabs()});
  out.push_back({"tabborder.bmp", Edge(12, 1, kClear)});
  out.push_back({"tabpane.bmp", Edge(12, 1, kFace)});
  out.push_back({"combobutton.bmp", ComboButton()});
  out.push_back({"sunkedge.bmp", SunkEdge()});
  out.push_back({"extra.bmp", ExtraImages()});
  out.push_back({"menuitem.bmp", MenuItems()});
  out.push_back({"menuback.bmp", MenuBackground()});
  out.push_back({"headerbar.bmp", Headerbar()});
  out.push_back({"statusbar.bmp", StatusBarEdges()});
  out.push_back({"toolbars.bmp", ToolBars()});
}

} // namespace skingen
