// The window frame (cut from one drawn window per state), the caption text background, the
// caption buttons, the MDI child buttons and the menu bar.
#include "tools/skingen/frame_images.h"

#include "tools/skingen/glyphs.h"
#include "tools/skingen/palette.h"

namespace skingen {

using namespace palette;

namespace {

// One window, active or inactive, from which the four border images are cut.
TBitmap DrawWindow(bool active) {
  auto c = [&](Pixel p) { return active ? p : Inactive(p); };
  TBitmap w(kWindowWidth, kWindowHeight);
  w.Fill(c(kFrameBody));
  VerticalGradient(w, {0, 0, kWindowWidth, kCaptionHeight}, c(kCaptionTop), c(kCaptionBottom));
  // A shine along the top of the caption and a dark line under it.
  w.FillRect({1, 1, kWindowWidth - 1, 2}, c(kCaptionShine));
  w.FillRect({0, kCaptionHeight - 1, kWindowWidth, kCaptionHeight}, c(kFrameInner));
  // The frame: outer dark line, body, inner line next to the client area.
  Outline(w, {0, 0, kWindowWidth, kWindowHeight}, c(kFrameOuter));
  Outline(w,
          {kBorderWidth - 1, kCaptionHeight - 1, kWindowWidth - kBorderWidth + 1,
           kWindowHeight - kBorderWidth + 1},
          c(kFrameInner));
  w.FillRect(
      {kBorderWidth, kCaptionHeight, kWindowWidth - kBorderWidth, kWindowHeight - kBorderWidth},
      kFace);
  RoundCorners(w, {0, 0, kWindowWidth, kWindowHeight}, 7, Mix(c(kFrameOuter), c(kCaptionTop), 0.4),
               true, false);
  RoundCorners(w, {0, 0, kWindowWidth, kWindowHeight}, 3, c(kFrameOuter), false, true);
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

// A caption button strip: normal, pressed, hot, inactive.
TBitmap CaptionButton(const GlyphRows& glyph, bool isClose) {
  std::vector<TBitmap> frames;
  for (int state = 0; state < 4; ++state) {
    TBitmap f(kCaptionButtonWidth, kCaptionButtonHeight);
    f.Fill(kClear);
    const TRect r{0, 0, kCaptionButtonWidth, kCaptionButtonHeight};
    Pixel glyphColour = kWhite;
    if (state == 1) { // pressed
      VerticalGradient(f, r, isClose ? kClosePressed : Rgb(22, 62, 116),
                       isClose ? Mix(kClosePressed, kClose, 0.5) : Rgb(34, 82, 146));
      Outline(f, r, isClose ? Rgb(120, 28, 24) : kFrameOuter);
      RoundCorners(f, r, 3, isClose ? Rgb(120, 28, 24) : kFrameOuter);
    } else if (state == 2) { // hot
      VerticalGradient(f, r, isClose ? Mix(kClose, kWhite, 0.25) : Mix(kCaptionTop, kWhite, 0.35),
                       isClose ? kClose : Mix(kCaptionBottom, kWhite, 0.2));
      Outline(f, r, isClose ? Rgb(150, 40, 34) : Mix(kFrameOuter, kCaptionTop, 0.3));
      RoundCorners(f, r, 3, isClose ? Rgb(150, 40, 34) : kFrameOuter);
    } else if (state == 3) { // inactive window
      glyphColour = Rgb(226, 230, 236);
    }
    DrawGlyph(f, r, glyph, glyphColour, state == 1 ? 1 : 0);
    frames.push_back(std::move(f));
  }
  return Join(frames, false);
}

// The caption text's background: a soft lighter band with round ends, active and inactive
// stacked.
TBitmap TextBack() {
  std::vector<TBitmap> frames;
  for (bool active : {true, false}) {
    TBitmap f(40, kCaptionHeight);
    f.Fill(kClear);
    const TRect band{0, 5, 40, kCaptionHeight - 5};
    const Pixel top = Mix(kCaptionTop, kWhite, 0.16), bottom = Mix(kCaptionBottom, kWhite, 0.10);
    VerticalGradient(f, band, active ? top : Inactive(top), active ? bottom : Inactive(bottom));
    RoundCorners(f, band, 9, active ? Mix(top, kCaptionBottom, 0.5) : Inactive(top));
    frames.push_back(std::move(f));
  }
  return Join(frames, true);
}

// 12 cells: minimize, restore and close of an MDI child in a menu bar, 4 states each.
TBitmap MdiControls() {
  std::vector<TBitmap> cells;
  const GlyphRows* glyphs[3] = {&kSmallMinimizeGlyph, &kSmallRestoreGlyph, &kSmallCloseGlyph};
  for (const GlyphRows* glyph : glyphs) {
    for (int state = 0; state < 4; ++state) {
      TBitmap cell(16, 14);
      cell.Fill(kClear);
      const TRect r{0, 0, 16, 14};
      if (state == 1 || state == 3) {
        VerticalGradient(cell, r, state == 1 ? kPressedTop : kHotTop,
                         state == 1 ? kPressedBottom : kHotBottom);
        Outline(cell, r, kEdgeHot);
        RoundCorners(cell, r, 2, kEdgeHot);
      }
      DrawGlyph(cell, r, *glyph, state == 2 ? kMarkDisabled : Rgb(40, 52, 72), 0);
      cells.push_back(std::move(cell));
    }
  }
  return Join(cells, false);
}

TBitmap MenuBar() {
  std::vector<TBitmap> frames;
  for (bool active : {true, false}) {
    TBitmap f(40, 20);
    VerticalGradient(f, {0, 0, 40, 20}, active ? Rgb(248, 250, 254) : Rgb(244, 245, 247),
                     active ? Rgb(228, 235, 246) : Rgb(232, 234, 238));
    f.FillRect({0, 19, 40, 20}, active ? Rgb(190, 204, 226) : Rgb(204, 208, 216));
    frames.push_back(std::move(f));
  }
  return Join(frames, true);
}

} // namespace

void AddFrameImages(std::vector<NamedImage>& out) {
  std::vector<TBitmap> left, right, top, bottom;
  for (bool active : {true, false}) {
    const TBitmap w = DrawWindow(active);
    left.push_back(Cut(w, {0, 0, kBorderWidth, kWindowHeight}));
    right.push_back(Cut(w, {kWindowWidth - kBorderWidth, 0, kWindowWidth, kWindowHeight}));
    top.push_back(Cut(w, {kBorderWidth, 0, kWindowWidth - kBorderWidth, kCaptionHeight}));
    bottom.push_back(Cut(w, {kBorderWidth, kWindowHeight - kBorderWidth,
                             kWindowWidth - kBorderWidth, kWindowHeight}));
  }
  out.push_back({"left.bmp", Join(left, false)});
  out.push_back({"right.bmp", Join(right, false)});
  out.push_back({"top.bmp", Join(top, true)});
  out.push_back({"bottom.bmp", Join(bottom, true)});
  out.push_back({"textback.bmp", TextBack()});
  out.push_back({"min.bmp", CaptionButton(kMinimizeGlyph, false)});
  out.push_back({"max.bmp", CaptionButton(kMaximizeGlyph, false)});
  out.push_back({"restore.bmp", CaptionButton(kRestoreGlyph, false)});
  out.push_back({"close.bmp", CaptionButton(kCloseGlyph, true)});
  out.push_back({"mdicontrols.bmp", MdiControls()});
  out.push_back({"menubar.bmp", MenuBar()});
}

} // namespace skingen
