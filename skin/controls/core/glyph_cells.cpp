#include "skin/controls/core/glyph_cells.h"

namespace skin {

namespace {
constexpr int kGrayedFrame = 4;
constexpr int kFramesWithGrayed = 5;
// Long strips hold each look in more states (normal, hot, pressed, ...): unchecked from frame 0,
// checked from 4; the disabled looks in frames 3 and 7; a check strip's grayed look from 8.
constexpr int kLongCheckFrames = 12, kLongRadioFrames = 8;
constexpr int kLongFrameOfShort[4] = {0, 4, 3, 7};
constexpr int kLongGrayedFrame = 8;

// The short strip's frames 0..3 (unchecked, checked, and each disabled) in a long strip.
std::vector<std::pair<int, int>> InLongStrip(std::vector<std::pair<int, int>> cells) {
  for (auto& [cell, frame] : cells)
    frame = kLongFrameOfShort[frame];
  return cells;
}
} // namespace

int GlyphCellCount(TGlyphKind glyphKind) {
  return glyphKind == TGlyphKind::Check ? 9 : 6;
}

std::vector<std::pair<int, int>> GlyphCellSources(TGlyphKind glyphKind, int sourceFrames) {
  if (glyphKind == TGlyphKind::Radio && sourceFrames == kLongRadioFrames)
    return InLongStrip(GlyphCellSources(glyphKind, 4));
  if (glyphKind != TGlyphKind::Radio && sourceFrames == kLongCheckFrames) {
    auto cells = InLongStrip(GlyphCellSources(glyphKind, 4));
    for (int cell : {2, 5, 8})
      if (cell < GlyphCellCount(glyphKind)) cells.emplace_back(cell, kLongGrayedFrame);
    return cells;
  }
  const bool grayed = sourceFrames == kFramesWithGrayed;
  switch (glyphKind) {
  case TGlyphKind::Check: {
    std::vector<std::pair<int, int>> cells{{0, 0}, {3, 0}, {1, 1}, {4, 1}, {6, 2}, {7, 3}};
    if (grayed)
      for (int cell : {2, 5, 8})
        cells.emplace_back(cell, kGrayedFrame);
    return cells;
  }
  case TGlyphKind::Radio:
    return {{0, 0}, {2, 0}, {1, 1}, {3, 1}, {4, 2}, {5, 3}};
  case TGlyphKind::CheckGlyph: {
    std::vector<std::pair<int, int>> cells{{0, 0}, {3, 0}, {1, 1}, {4, 1}};
    if (grayed)
      for (int cell : {2, 5})
        cells.emplace_back(cell, kGrayedFrame);
    return cells;
  }
  }
  return {};
}

} // namespace skin
