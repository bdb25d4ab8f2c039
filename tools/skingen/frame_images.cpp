// The window frame (cut from one drawn window per state), the caption text background, the
// caption buttons, the MDI child buttons and the menu bar.
#include "tools/skingen/frame_images.h"

#include "tools/skingen/glyphs.h"

namespace skingen {

void Corners(const Theme& theme, TBitmap& image, TRect r, int size, Pixel edge, bool top,
             bool bottom) {
  if (theme.corners == CornerStyle::kAngled)
    AngleCorners(image, r, size, edge, top, bottom);
  else
    RoundCorners(image, r, size, edge, top, bottom);
}

namespace {

// One window, active or inactive, from which the four border images are cut.
TBitmap DrawWindow(const Theme& t, bool active) {
  auto c = [&](Pixel p) { return active ? p : t.Inactive(p); };
  const int caption = t.captionHeight, border = t.borderWidth;
  TBitmap w(kWindowWidth, kWindowHeight);
  w.Fill(c(t.frameBody));
  VerticalGradient(w, {0, 0, kWindowWidth, caption}, c(t.captionTop), c(t.captionBottom));
  // A shine along the top of the caption and a line under it.
  if (t.captionShine) w.FillRect({1, 1, kWindowWidth - 1, 2}, c(t.captionShineColour));
  w.FillRect({0, caption - t.captionLineHeight, kWindowWidth, caption}, c(t.captionLine));
  // The frame: outer dark line, body, inner line next to the client area.
  Outline(w, {0, 0, kWindowWidth, kWindowHeight}, c(t.frameOuter));
  Outline(w, {border - 1, caption - 1, kWindowWidth - border + 1, kWindowHeight - border + 1},
          c(t.frameInner));
  w.FillRect({border, caption, kWindowWidth - border, kWindowHeight - border}, t.face);
  Corners(t, w, {0, 0, kWindowWidth, kWindowHeight}, t.windowCorner,
          Mix(c(t.frameOuter), c(t.captionTop), 0.4), true, false);
  Corners(t, w, {0, 0, kWindowWidth, kWindowHeight}, t.windowBottomCorner, c(t.frameOuter), false,
          true);
  return w;
}

TBitmap Cut(const TBitmap& source, TRect r) {
  TBitmap part(r.Width(), r.Height());
  fw::CopyPixels(part, 0, 0, source, r);
  return part;
}

// Frames side by side (`vertical` false) or stacked.
TBitmap Join(const std::vector<TBitmap>& frames, bool vertical) {
  const int w = frames[0].Width(), h = frames[0].Height();
  const int n = static_cast<int>(frames.size());
  TBitmap strip(vertical ? w : w * n, vertical ? h * n : h);
  for (int i = 0; i < n; ++i)
    fw::CopyPixels(strip, vertical ? 0 : w * i, vertical ? h * i : 0,
                   frames[static_cast<std::size_t>(i)], {0, 0, w, h});
  return strip;
}

void ShadedShape(const Theme& t, TBitmap& image, TRect r, const Shade& shade, int corner) {
  VerticalGradient(image, r, shade.top, shade.bottom);
  Outline(image, r, shade.edge);
  Corners(t, image, r, corner, shade.edge);
}

// The frames of a caption button strip.
enum class CaptionButtonFrame { kNormal, kPressed, kHot, kInactive, kCount };

// A caption button strip: normal, pressed, hot, inactive.
TBitmap CaptionButton(const Theme& t, const GlyphRows& glyph, bool isClose) {
  std::vector<TBitmap> frames;
  const TRect r{0, 0, t.captionButtonWidth, t.captionButtonHeight};
  for (int i = 0; i < static_cast<int>(CaptionButtonFrame::kCount); ++i) {
    const auto state = static_cast<CaptionButtonFrame>(i);
    TBitmap f(r.Width(), r.Height());
    f.Fill(kClear);
    Pixel glyphColour = t.captionGlyph;
    if (state == CaptionButtonFrame::kPressed) {
      ShadedShape(t, f, r, isClose ? t.closePressed : t.captionButtonPressed,
                  t.captionButtonCorner);
    } else if (state == CaptionButtonFrame::kHot) {
      ShadedShape(t, f, r, isClose ? t.closeHot : t.captionButtonHot, t.captionButtonCorner);
    } else if (t.framedCaptionButtons) {
      const Shade& normal = t.captionButtonNormal;
      ShadedShape(
          t, f, r,
          state == CaptionButtonFrame::kNormal
              ? normal
              : Shade{t.Inactive(normal.top), t.Inactive(normal.bottom), t.Inactive(normal.edge)},
          t.captionButtonCorner);
    }
    if (state == CaptionButtonFrame::kInactive) glyphColour = t.captionGlyphInactive;
    DrawGlyph(f, r, glyph, glyphColour, state == CaptionButtonFrame::kPressed ? 1 : 0);
    frames.push_back(std::move(f));
  }
  return Join(frames, false);
}

// The caption text's background: a soft band with round or pointed ends, active and inactive
// stacked.
TBitmap TextBack(const Theme& t) {
  std::vector<TBitmap> frames;
  for (bool active : {true, false}) {
    TBitmap f(40, t.captionHeight);
    f.Fill(kClear);
    const TRect band{0, 5, 40, t.captionHeight - 5};
    const Shade& s = t.textBack;
    VerticalGradient(f, band, active ? s.top : t.Inactive(s.top),
                     active ? s.bottom : t.Inactive(s.bottom));
    Corners(t, f, band, 9, active ? s.edge : t.Inactive(s.top));
    frames.push_back(std::move(f));
  }
  return Join(frames, true);
}

// 12 cells: minimize, restore and close of an MDI child in a menu bar, 4 states each.
TBitmap MdiControls(const Theme& t) {
  std::vector<TBitmap> cells;
  const GlyphRows* glyphs[3] = {&kSmallMinimizeGlyph, &kSmallRestoreGlyph, &kSmallCloseGlyph};
  for (const GlyphRows* glyph : glyphs) {
    for (int state = 0; state < 4; ++state) {
      TBitmap cell(16, 14);
      cell.Fill(kClear);
      const TRect r{0, 0, 16, 14};
      if (state == 1 || state == 3) {
        VerticalGradient(cell, r, state == 1 ? t.pressedTop : t.hotTop,
                         state == 1 ? t.pressedBottom : t.hotBottom);
        Outline(cell, r, t.edgeHot);
        Corners(t, cell, r, 2, t.edgeHot);
      }
      DrawGlyph(cell, r, *glyph, state == 2 ? t.markDisabled : t.mdiGlyph, 0);
      cells.push_back(std::move(cell));
    }
  }
  return Join(cells, false);
}

TBitmap MenuBar(const Theme& t) {
  std::vector<TBitmap> frames;
  for (const Shade* s : {&t.menuBar, &t.menuBarInactive}) {
    TBitmap f(40, 20);
    VerticalGradient(f, {0, 0, 40, 20}, s->top, s->bottom);
    f.FillRect({0, 19, 40, 20}, s->edge);
    frames.push_back(std::move(f));
  }
  return Join(frames, true);
}

} // namespace

void AddFrameImages(const Theme& t, std::vector<NamedImage>& out) {
  std::vector<TBitmap> left, right, top, bottom;
  const int border = t.borderWidth;
  for (bool active : {true, false}) {
    const TBitmap w = DrawWindow(t, active);
    left.push_back(Cut(w, {0, 0, border, kWindowHeight}));
    right.push_back(Cut(w, {kWindowWidth - border, 0, kWindowWidth, kWindowHeight}));
    top.push_back(Cut(w, {border, 0, kWindowWidth - border, t.captionHeight}));
    bottom.push_back(
        Cut(w, {border, kWindowHeight - border, kWindowWidth - border, kWindowHeight}));
  }
  out.push_back({"left.bmp", Join(left, false)});
  out.push_back({"right.bmp", Join(right, false)});
  out.push_back({"top.bmp", Join(top, true)});
  out.push_back({"bottom.bmp", Join(bottom, true)});
  out.push_back({"textback.bmp", TextBack(t)});
  const bool thin = t.thinGlyphs;
  out.push_back({"min.bmp", CaptionButton(t, thin ? kThinMinimizeGlyph : kMinimizeGlyph, false)});
  out.push_back({"max.bmp", CaptionButton(t, thin ? kThinMaximizeGlyph : kMaximizeGlyph, false)});
  out.push_back({"restore.bmp", CaptionButton(t, thin ? kThinRestoreGlyph : kRestoreGlyph, false)});
  out.push_back({"close.bmp", CaptionButton(t, thin ? kThinCloseGlyph : kCloseGlyph, true)});
  out.push_back({"mdicontrols.bmp", MdiControls(t)});
  out.push_back({"menubar.bmp", MenuBar(t)});
}

} // namespace skingen
