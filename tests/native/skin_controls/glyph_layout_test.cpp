// Glyph and caption placement of bit, speed and menu buttons, and the frames they show.
#include "skin/controls/core/glyph_cells.h"
#include "skin/controls/core/glyph_layout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

constexpr unsigned kWordBreak = 0x10, kCentre = 0x1, kRight = 0x2;

TEST(GlyphLayout, MarginAndSpacingRulesInEachDirection) {
  const TSizeXY client{100, 40}, glyph{16, 16}, text{30, 13};
  // Both automatic: a third each of what is left along the row; centred across it.
  GlyphPlacement p = PlaceGlyphAndText(client, glyph, text, GlyphLayout::Left, -1, -1, false);
  EXPECT_EQ(p.glyph, (TSizeXY{18, 12}));
  EXPECT_EQ(p.text, (TRect{52, 14, 82, 27}));
  EXPECT_EQ(p.textFlags, kWordBreak);
  // A given margin from the right edge; the spacing splits the rest.
  p = PlaceGlyphAndText(client, glyph, text, GlyphLayout::Right, 5, -1, false);
  EXPECT_EQ(p.glyph.x, 79);
  EXPECT_EQ(p.text.Left, 25);
  EXPECT_EQ(p.textFlags, kWordBreak | kRight);
  // A given spacing centres the block; a speed button sits one pixel further in.
  p = PlaceGlyphAndText(client, glyph, text, GlyphLayout::Top, -1, 4, false);
  EXPECT_EQ(p.glyph, (TSizeXY{42, 3}));
  EXPECT_EQ(p.text, (TRect{35, 23, 65, 36}));
  EXPECT_EQ(p.textFlags, kWordBreak | kCentre);
  EXPECT_EQ(PlaceGlyphAndText(client, glyph, text, GlyphLayout::Top, -1, 4, true).glyph.y, 4);
  p = PlaceGlyphAndText(client, glyph, text, GlyphLayout::Bottom, 2, 3, false);
  EXPECT_EQ(p.glyph.y, 22);
  EXPECT_EQ(p.text.Top, 6);
  // Without a caption the spacing does not count.
  EXPECT_EQ(PlaceGlyphAndText(client, glyph, {}, GlyphLayout::Left, -1, 4, false).glyph.x, 42);
  EXPECT_EQ(GlyphLayoutFromName("blglyphbottom"), GlyphLayout::Bottom);
  EXPECT_EQ(GlyphLayoutFromName("whatever"), GlyphLayout::Left);
  EXPECT_EQ(GlyphTextBounds(client, glyph, GlyphLayout::Right), (TRect{2, 2, 80, 38}));
  EXPECT_EQ(GlyphTextBounds(client, glyph, GlyphLayout::Top), (TRect{2, 2, 98, 20}));
}

TEST(GlyphLayout, MenuButtonRowEndsInTheTriangle) {
  const TSizeXY client{120, 30}, text{40, 13};
  MenuButtonPlacement p = PlaceMenuButton(client, {}, text, -1, -1);
  EXPECT_EQ(p.text, (TSizeXY{36, 9}));
  EXPECT_EQ(p.arrow, (TSizeXY{112, 13}));
  // A given margin: the drop-down's width is added to what the spacing splits.
  p = PlaceMenuButton(client, {16, 16}, text, 5, -1);
  EXPECT_EQ(p.glyph, (TSizeXY{5, 7}));
  EXPECT_EQ(p.text.x, 5 + 16 + 31);
  p = PlaceMenuButton(client, {16, 16}, text, -1, 2);
  EXPECT_EQ(p.glyph.x, 26);
  EXPECT_EQ(MenuButtonTextBounds(client, {16, 16}), (TRect{2, 2, 94, 28}));
}

TEST(GlyphLayout, FacesAndGlyphFramesByState) {
  TMouseState idle, hot, pressed;
  hot.SetHot(true);
  pressed.SetPressed(true);
  EXPECT_EQ(GlyphFrame(ButtonFace::Normal, false), 1);
  EXPECT_EQ(GlyphFrame(ButtonFace::Disabled, false), 2);
  EXPECT_EQ(GlyphFrame(ButtonFace::Pressed, false), 3);
  EXPECT_EQ(GlyphFrame(ButtonFace::Normal, true), 4);
  EXPECT_EQ(SpeedButtonFace(idle, true, false), ButtonFace::Pressed); // latched beats disabled
  EXPECT_EQ(SpeedButtonFace(hot, false, false), ButtonFace::Disabled);
  EXPECT_EQ(SpeedButtonFace(hot, false, true), ButtonFace::Hot);
  EXPECT_FALSE(SpeedButtonFaceShown(ButtonFace::Normal, true));
  EXPECT_TRUE(SpeedButtonFaceShown(ButtonFace::Hot, true));
  EXPECT_EQ(MenuButtonFace(idle, true, true), ButtonFace::Hot); // no focused frame
  EXPECT_EQ(MenuButtonFace(pressed, true, true), ButtonFace::Pressed);
  EXPECT_EQ(MenuButtonFace(pressed, true, false), ButtonFace::Disabled);
}

// Each cell's source frame, -1 for an empty cell.
std::vector<int> CellFrames(TGlyphKind kind, int frames) {
  std::vector<int> out(static_cast<size_t>(GlyphCellCount(kind)), -1);
  for (const auto& [cell, frame] : GlyphCellSources(kind, frames))
    out[static_cast<size_t>(cell)] = frame;
  return out;
}

TEST(GlyphCells, ShortAndLongStrips) {
  EXPECT_EQ(CellFrames(TGlyphKind::Check, 4), (std::vector{0, 1, -1, 0, 1, -1, 2, 3, -1}));
  EXPECT_EQ(CellFrames(TGlyphKind::Check, 5), (std::vector{0, 1, 4, 0, 1, 4, 2, 3, 4}));
  EXPECT_EQ(CellFrames(TGlyphKind::Radio, 4), (std::vector{0, 1, 0, 1, 2, 3}));
  EXPECT_EQ(CellFrames(TGlyphKind::CheckGlyph, 5), (std::vector{0, 1, 4, 0, 1, 4}));
  // Long strips: unchecked 0, checked 4, disabled 3 and 7, grayed 8.
  EXPECT_EQ(CellFrames(TGlyphKind::Check, 12), (std::vector{0, 4, 8, 0, 4, 8, 3, 7, 8}));
  EXPECT_EQ(CellFrames(TGlyphKind::CheckGlyph, 12), (std::vector{0, 4, 8, 0, 4, 8}));
  EXPECT_EQ(CellFrames(TGlyphKind::Radio, 8), (std::vector{0, 4, 0, 4, 3, 7}));
}

} // namespace
} // namespace skin
