// Where a status bar or header skin draws: the face frame of a panel by its bevel, a panel's text
// alignment, the panel rectangles (the last one reaching the bar's right edge), the size grip's
// square and where a header item's content starts.
#pragma once

#include "framework/core/bitmap.h"

namespace skin {

using fw::TRect;

enum class PanelBevel { None, Lowered, Raised };
// The framework's alignments, in order.
enum class PanelAlignment { Left, Right, Centre };

// Frames of the StatusBarEdges element: 1 lowered, 2 raised, 3 flat.
int StatusPanelFrame(PanelBevel bevel);

// DrawText alignment flags of a panel; a right-to-left panel mirrors left and right.
unsigned StatusPanelTextFlags(PanelAlignment alignment, bool rightToLeft);

// The face of a panel whose own rectangle is `panel`: two pixels wider, and the last panel
// reaches `barRight`.
TRect StatusPanelFace(TRect panel, bool last, int barRight);

// The size grip: a square as high as the bar less two pixels, ending one pixel inside its
// bottom-right corner.
TRect SizeGripSquare(TRect bar);

} // namespace skin

namespace skin {

// Where the image (followed by the text) of a header item starts: 3 from the left, centred, or
// 2 short of the right edge; never closer than 1 to the left.
int HeaderContentStart(PanelAlignment alignment, int itemWidth, int imageWidth, int textWidth);

} // namespace skin
