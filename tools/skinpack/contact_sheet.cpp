#include "tools/skinpack/contact_sheet.h"

#include "skin/data/core/nine_slice.h"
#include "skin/data/core/skin_elements.h"
#include "tools/skinpack/tiny_font.h"

#include <algorithm>
#include <string>
#include <vector>

namespace skinpack {

namespace {

using fw::Pixel;
using fw::TBitmap;

constexpr int kMargin = 12;
constexpr int kLabelWidth = 320;
constexpr int kZoom = 2;
constexpr int kGap = 16;
constexpr Pixel kBackground = fw::RgbPixel(250, 250, 252);
constexpr Pixel kInk = fw::RgbPixel(30, 34, 44);
constexpr Pixel kDim = fw::RgbPixel(120, 126, 140);

struct Row {
  std::string name;
  const skin::TDataSkinObject* element;
  bool vertical; // frames stacked
};

// Magenta pixels show the checkerboard under them.
void DrawOnChecks(TBitmap& sheet, int x, int y, const TBitmap& image, int zoom) {
  for (int sy = 0; sy < image.Height() * zoom; ++sy) {
    for (int sx = 0; sx < image.Width() * zoom; ++sx) {
      const Pixel p = image.At(sx / zoom, sy / zoom);
      const bool light = ((sx / 4) + (sy / 4)) % 2 == 0;
      sheet.SetPixel(x + sx, y + sy,
                     p == fw::kMagentaPixel
                         ? (light ? fw::RgbPixel(196, 198, 206) : fw::RgbPixel(164, 168, 180))
                         : p);
    }
  }
}

// Each frame as a painter would draw it into a larger place: wider when the element has fixed
// left and right parts, higher when it has fixed top and bottom parts; otherwise at its size.
std::vector<TBitmap> Renderings(const Row& row) {
  std::vector<TBitmap> out;
  const skin::TDataSkinObject& e = *row.element;
  const int n = std::max(e.FrameCount, 1);
  if (e.Bitmap.Empty()) return out;
  for (int f = 1; f <= std::min(n, 24); ++f) {
    const fw::TRect frame = skin::FrameRect(e.Bitmap, row.vertical, n, f);
    const bool sides = e.LeftWidth + e.RightWidth > 0, ends = e.TopHeight + e.BottomHeight > 0;
    const int w = sides ? std::clamp(frame.Width() * 2 + 10, 12, 240) : frame.Width();
    const int h = ends ? std::clamp(frame.Height() + 6, 8, 60) : frame.Height();
    out.push_back(skin::RenderNineSlice(w, h, e.Bitmap,
                                        {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight},
                                        row.vertical, e.Tile != 0, n, f));
  }
  return out;
}

std::vector<Row> Rows(const skin::TSkinElements& s) {
  std::vector<Row> rows = {
      {"Top", s.Top.get(), true},
      {"Bottom", s.Bottom.get(), true},
      {"Left", s.Left.get(), false},
      {"Right", s.Right.get(), false},
      {"Title (TextBack)", s.Title.get(), true},
      {"Buttons", s.Buttons.get(), false},
      {"menuBar", s.MenuBar.get(), true},
  };
  for (const auto& b : s.CaptionButtons)
    rows.push_back({"Caption " + b->Name, b.get(), false});
  const std::pair<const char*, const skin::TDataSkinObject*> generic[] = {
      {"Progress", s.Progress.get()},
      {"Progress.Chunk", s.ProgressChunk.get()},
      {"GroupBoxEdge", s.GroupBoxEdge.get()},
      {"GroupBox", s.GroupBox.get()},
      {"Tabs", s.Tabs.get()},
      {"StatusBarEdges", s.StatusBarEdges.get()},
      {"Tab.Pane", s.TabPane.get()},
      {"ToolBars", s.ToolBars.get()},
      {"ComboButton (composed)", s.ComboButton.get()},
      {"SunkEdge (composed)", s.SunkEdge.get()},
      {"ComboxArrow", s.ComboxArrow.get()},
      {"ExtraImages", s.ExtraImages.get()},
      {"Headerbar", s.Headerbar.get()},
      {"MenuItem", s.MenuItem.get()},
      {"MenuBackground", s.MenuBackground.get()},
      {"Scrollbar", s.Scrollbar.get()},
      {"HorzScroll", s.HorzScroll.get()},
      {"VertScroll", s.VertScroll.get()},
      {"HorzScrollThumb", s.HorzScrollThumb.get()},
      {"VertScrollThumb", s.VertScrollThumb.get()},
      {"Trackbar.ThumbHorz", s.TrackbarThumbHorz.get()},
      {"Trackbar.ThumbVert", s.TrackbarThumbVert.get()},
      {"Trackbar.ThumbLeft", s.TrackbarThumbLeft.get()},
      {"Trackbar.ThumbRight", s.TrackbarThumbRight.get()},
      {"Trackbar.ThumbUp", s.TrackbarThumbUp.get()},
      {"Trackbar.ThumbDown", s.TrackbarThumbDown.get()},
      {"UpDown.Horz", s.UpDownHorz.get()},
      {"UpDown.Vert", s.UpDownVert.get()},
      {"Track", s.Track.get()},
      {"TRACKVERT", s.TrackVert.get()},
  };
  for (const auto& [name, element] : generic)
    rows.push_back({name, element, false});
  return rows;
}

// The second images that sit beside a few elements.
const TBitmap* SecondImage(const skin::TDataSkinObject* e) {
  if (const auto* border = dynamic_cast<const skin::TDataSkinBorder*>(e))
    return border->Bitmap2.Empty() ? nullptr : &border->Bitmap2;
  return nullptr;
}

// A small window put together the way the frame painter does it: side borders over the full
// height, the top element and bottom element between them, caption buttons by their alignment,
// and a few controls on the button face.
TBitmap WindowPreview(const skin::TSkinElements& s, bool active) {
  constexpr int W = 360, H = 170;
  TBitmap window(W, H);
  window.Fill(fw::PixelOf(s.Colour(skin::kButtonFace)));
  const int frame = active ? 1 : 2;
  auto border = [&](const skin::TDataSkinBorder& b, bool vertical) {
    return skin::TMargins{b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight};
    (void)vertical;
  };
  const auto& L = *s.Left;
  const auto& R = *s.Right;
  const auto& T = *s.Top;
  const auto& B = *s.Bottom;
  const int frames = std::max(L.FrameCount, 1);
  const int left = L.Bitmap.Width() / frames, right = R.Bitmap.Width() / std::max(R.FrameCount, 1);
  const int top = T.Bitmap.Height() / std::max(T.FrameCount, 1);
  const int bottom = B.Bitmap.Height() / std::max(B.FrameCount, 1);
  auto draw = [&](const skin::TDataSkinObject& e, fw::TRect r, bool vertical, int f, bool trans,
                  skin::TMargins m, bool tile) {
    skin::DrawNineSliceOnto(window, r, e.Bitmap, vertical, tile, trans, std::max(e.FrameCount, 1),
                            f, m);
  };
  // Borders are drawn opaque; magenta in them shapes the window and shows the checks here.
  draw(L, {0, 0, left, H}, false, frame, false, border(L, false), L.Tile != 1);
  draw(R, {W - right, 0, W, H}, false, frame, false, border(R, false), R.Tile != 1);
  draw(B, {left, H - bottom, W - right, H}, true, frame, false, border(B, true), B.Tile != 1);
  draw(T, {left, 0, W - right, top}, true, frame, false, border(T, true), T.Tile != 1);
  const auto& title = *s.Title;
  const std::string caption = "  SCREEN RECORDER  ";
  const int textWidth = TinyTextWidth(caption, 2) + title.TXTBackleft + title.TXTBackRight;
  const int tx = left + title.LeftWidth;
  if (!title.Bitmap.Empty()) {
    draw(title, {tx, 0, tx + textWidth, top}, true, frame, true,
         {title.TXTBackleft, 0, title.TXTBackRight, 0}, true);
  }
  DrawTinyText(window, tx + title.TXTBackleft, top / 2 - 5 + title.TopHeight / 2, caption,
               fw::PixelOf(s.Colour(active ? skin::kTitleTextActive : skin::kTitleTextNoActive)),
               2);
  for (const auto& b : s.CaptionButtons) {
    if (b->Bitmap.Empty() || b->Align != 1 || b->Visibility == 1) continue; // not maximized
    const int bw = b->Bitmap.Width() / std::max(b->FrameCount, 1);
    const fw::TRect r{W - b->XCoord, b->YCoord, W - b->XCoord + bw, b->YCoord + b->Bitmap.Height()};
    draw(*b, r, false, active || b->FrameCount < 4 ? 1 : 4, true, {}, false);
  }
  // Controls: a push button (normal and hot), a check box and a radio button.
  const auto& button = *s.Buttons;
  const skin::TMargins bm{button.LeftWidth, button.TopHeight, button.RightWidth,
                          button.BottomHeight};
  if (!button.Bitmap.Empty()) {
    draw(button, {left + 16, top + 20, left + 116, top + 46}, false, 1, button.Trans != 0, bm,
         false);
    draw(button, {left + 126, top + 20, left + 226, top + 46}, false, 4, button.Trans != 0, bm,
         false);
  }
  DrawTinyText(window, left + 40, top + 28, "START", fw::PixelOf(button.NormalColour2), 2);
  DrawTinyText(window, left + 150, top + 28, "STOP", fw::PixelOf(button.MouseOverColour2), 2);
  auto cell = [&](const TBitmap& strip, int frames, int index, int x, int y) {
    const int cw = strip.Width() / std::max(frames, 1);
    TBitmap one(cw, strip.Height());
    fw::CopyPixels(one, 0, 0, strip, {cw * (index - 1), 0, cw * index, strip.Height()});
    fw::DrawTransparent(window, x, y, cw, one.Height(), one, fw::kMagentaPixel);
  };
  if (!button.CheckBitmap.Empty())
    cell(button.CheckBitmap, button.CheckButtonFrame, 5, left + 16, top + 64);
  DrawTinyText(window, left + 36, top + 68, "CAPTURE CURSOR",
               fw::PixelOf(s.Colour(skin::kWindowText)), 1);
  if (!button.RadioBitmap.Empty())
    cell(button.RadioBitmap, button.RadioButtonFrame, 5, left + 16, top + 84);
  DrawTinyText(window, left + 36, top + 88, "WHOLE SCREEN",
               fw::PixelOf(s.Colour(skin::kWindowText)), 1);
  if (s.ComboButton && s.ComboButton->Style == 2) {
    const auto& c = *s.ComboButton;
    draw(c, {left + 130, top + 62, left + 300, top + 83}, false, 1, true,
         {c.LeftWidth, c.TopHeight, c.RightWidth, c.BottomHeight}, false);
  }
  if (s.Progress) {
    const auto& p = *s.Progress;
    const skin::TMargins pm{p.LeftWidth, p.TopHeight, p.RightWidth, p.BottomHeight};
    draw(p, {left + 16, top + 106, W - right - 16, top + 120}, false, 1, true, pm, p.Tile != 0);
    draw(p, {left + 16, top + 106, left + 200, top + 120}, false, 2, true, pm, p.Tile != 0);
  }
  return window;
}

} // namespace

TBitmap ContactSheet(const skin::TSkinElements& elements) {
  const std::vector<Row> rows = Rows(elements);
  const auto* buttons = elements.Buttons.get();
  // Measure first: the sheet is as wide as its widest row.
  const TBitmap activePreview = WindowPreview(elements, true);
  const TBitmap inactivePreview = WindowPreview(elements, false);
  int width = 640, height = kMargin + 24 + activePreview.Height() + 16;
  std::vector<int> rowHeights;
  for (const Row& row : rows) {
    int w = kMargin + kLabelWidth, h = 24;
    if (row.element) {
      const TBitmap& image = row.element->Bitmap;
      w += image.Width() * kZoom + kGap;
      h = std::max(h, image.Height() * kZoom);
      if (const TBitmap* second = SecondImage(row.element)) {
        w += second->Width() * kZoom + kGap;
        h = std::max(h, second->Height() * kZoom);
      }
      int rw = 0, rh = 0;
      for (const TBitmap& r : Renderings(row)) {
        rw += r.Width() + 6;
        rh = std::max(rh, r.Height());
      }
      w = std::max(w, kMargin + kLabelWidth + rw);
      h += rh > 0 ? rh + 6 : 0;
    }
    width = std::max(width, w + kMargin);
    rowHeights.push_back(h + 10);
    height += h + 10;
  }
  const int checkRows = 2;
  height += (buttons ? checkRows * (16 * kZoom + 10) : 0) + 19 * 16 + 40 + kMargin;

  TBitmap sheet(std::min(width, fw::kMaxBitmapSide), std::min(height, fw::kMaxBitmapSide));
  sheet.Fill(kBackground);
  int y = kMargin;
  DrawTinyText(sheet, kMargin, y, "SKIN " + elements.SkinName, kInk, 3);
  y += 24;
  DrawOnChecks(sheet, kMargin, y, activePreview, 1);
  DrawOnChecks(sheet, kMargin + activePreview.Width() + 24, y, inactivePreview, 1);
  y += activePreview.Height() + 16;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    sheet.FillRect({kMargin, y - 5, sheet.Width() - kMargin, y - 4}, fw::RgbPixel(224, 226, 232));
    DrawTinyText(sheet, kMargin, y, row.name, kInk, 2);
    if (!row.element) {
      DrawTinyText(sheet, kMargin, y + 14, "(NONE)", kDim, 2);
    } else {
      const auto& e = *row.element;
      const std::string facts =
          std::to_string(e.Bitmap.Width()) + "X" + std::to_string(e.Bitmap.Height()) + " F" +
          std::to_string(e.FrameCount) + " M " + std::to_string(e.LeftWidth) + "," +
          std::to_string(e.TopHeight) + "," + std::to_string(e.RightWidth) + "," +
          std::to_string(e.BottomHeight) + (e.Trans ? " T" : "") + (e.Tile ? " TILE" : "");
      DrawTinyText(sheet, kMargin, y + 14, facts, kDim, 2);
      int x = kMargin + kLabelWidth;
      DrawOnChecks(sheet, x, y, e.Bitmap, kZoom);
      x += e.Bitmap.Width() * kZoom + kGap;
      if (const TBitmap* second = SecondImage(&e)) DrawOnChecks(sheet, x, y, *second, kZoom);
      int rx = kMargin + kLabelWidth;
      const int ry = y + std::max(e.Bitmap.Height() * kZoom, 8) + 6;
      for (const TBitmap& r : Renderings(row)) {
        DrawOnChecks(sheet, rx, ry, r, 1);
        rx += r.Width() + 6;
      }
    }
    y += rowHeights[i];
  }
  if (buttons) {
    for (const TBitmap* strip : {&buttons->CheckBitmap, &buttons->RadioBitmap}) {
      DrawTinyText(sheet, kMargin, y,
                   strip == &buttons->CheckBitmap ? "CheckButton" : "RadioButton", kInk, 2);
      DrawOnChecks(sheet, kMargin + kLabelWidth, y, *strip, kZoom);
      y += 16 * kZoom + 10;
    }
  }
  DrawTinyText(sheet, kMargin, y, "COLOURS", kInk, 2);
  y += 16;
  const char* names[19] = {"WindowText",
                           "TitleTextActive",
                           "TitleTextNoActive",
                           "ButtonFace",
                           "ButtonText",
                           "ButtonHilight",
                           "Buttonlight",
                           "ButtonShadow",
                           "ButtonDkShadow",
                           "(9)",
                           "(10)",
                           "HilightText",
                           "Hilight",
                           "Menubar",
                           "MenuBarText",
                           "MenuText",
                           "Menu",
                           "Caption sample",
                           "Scrollbar"};
  for (int i = 0; i < 19; ++i) {
    sheet.FillRect({kMargin, y, kMargin + 40, y + 12}, kInk);
    sheet.FillRect({kMargin + 1, y + 1, kMargin + 39, y + 11}, fw::PixelOf(elements.Colour(i)));
    DrawTinyText(sheet, kMargin + 50, y + 1,
                 std::to_string(i) + " " + names[i] +
                     (elements.ColourTable.Given[static_cast<std::size_t>(i)] ? "" : " *"),
                 kInk, 2);
    y += 16;
  }
  return sheet;
}

} // namespace skinpack
