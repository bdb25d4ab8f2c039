// The glyph strips handed to check and radio controls that draw their marks from a strip of
// cells: which frame of the skin's CheckButton or RadioButton image goes into which cell.
#pragma once

#include <utility>
#include <vector>

namespace skin {

// Which control a strip is for.
enum class TGlyphKind {
  Check,      // a check control, 9 cells
  Radio,      // a radio control, 6 cells
  CheckGlyph, // a check control's 6-cell glyph
};

int GlyphCellCount(TGlyphKind glyphKind);
// (cell, source frame) pairs, frames counted from 0; the grayed cells take the fifth frame only
// when the source strip has exactly five frames; cells not listed stay empty. A 12-frame check
// strip or an 8-frame radio strip (several states per look) gives each cell its look's first
// frame, and a 12-frame strip its grayed look too.
std::vector<std::pair<int, int>> GlyphCellSources(TGlyphKind glyphKind, int sourceFrames);

} // namespace skin
