// The glyph strips handed to check and radio controls that draw their marks from a strip of
// cells: which frame of the skin's CheckButton or RadioButton image goes into which cell.
#pragma once

#include <utility>
#include <vector>

namespace skin {

// 1: a check control with a 9-cell strip; 2: a radio control with a 6-cell strip; 3: a check
// control with a 6-cell glyph.
int GlyphCellCount(int glyphKind);
// (cell, source frame) pairs, frames counted from 0; the grayed cells take the fifth frame only
// when the source strip has exactly five frames; cells not listed stay empty. A 12-frame check
// strip or an 8-frame radio strip (several states per look) gives each cell its look's first
// frame, and a 12-frame strip its grayed look too.
std::vector<std::pair<int, int>> GlyphCellSources(int glyphKind, int sourceFrames);

} // namespace skin
