// The media player overlay's buttons: which of the nine is under a point when only some are
// visible (each visible button equally wide), and the face frame and glyph state of each.
#pragma once

namespace skin {

inline constexpr int kMediaButtons = 9;
inline constexpr int kNoMediaButton = 9;

int VisibleMediaButtons(unsigned visible);
// The visible button whose span [left, left + width] holds x; kNoMediaButton when none does.
int MediaButtonAt(unsigned visible, int buttonWidth, int x);
// Frames of the Buttons element: 2 while tracking a press on this button, 3 when disabled.
int MediaButtonFace(bool enabled, bool trackingThis);
// Glyph states: 0 enabled, 1 disabled, 2 coloured.
int MediaGlyphState(bool enabled, bool coloured);

} // namespace skin
