#include "skin/controls/core/glyph_cells.h"

namespace skin {

namespace {
constexpr int kGrayedFrame = 4;
constexpr int kFramesWithGrayed = 5;
} // namespace

int GlyphCellCount(int glyphKind) {
  return glyphKind == 1 ? 9 : glyphKind == 2 || glyphKind == 3 ? 6 : 0;
}

std::vector<std::pair<int, int>> GlyphCellSources(int glyphKind, int sourceFrames) {
  const bool grayed = sourceFrames == kFramesWithGrayed;
  switch (glyphKind) {
  case 1: {
    std::vector<std::pair<int, int>> cells{{0, 0}, {3, 0}, {1, 1}, {4, 1}, {6, 2}, {7, 3}};
    if (grayed)
      for (int cell : {2, 5, 8})
        cells.emplace_back(cell, kGrayedFrame);
    return cells;
  }
  case 2:
    return {{0, 0}, {2, 0}, {1, 1}, {3, 1}, {4, 2}, {5, 3}};
  case 3: {
    std::vector<std::pair<int, int>> cells{{0, 0}, {3, 0}, {1, 1}, {4, 1}};
    if (grayed)
      for (int cell : {2, 5})
        cells.emplace_back(cell, kGrayedFrame);
    return cells;
  }
  default:
    return {};
  }
}

} // namespace skin
