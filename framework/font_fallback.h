// Text that reads wherever the program runs. A form's font ("MS Sans Serif", the system's caption
// and menu fonts) may have no glyphs for the program's Chinese texts: on a system without font
// links for them (a fresh Wine prefix, a Western Windows without East Asian support set up) such
// text is drawn as boxes. Here a font is tested for the glyphs of a text as it is drawn (font
// links count: a character a linked font supplies draws), and where glyphs are missing the same
// font is made in an installed face that has them.
//
// GUI thread only: the answers and the fonts made are kept for the program's life.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace fw {

// Whether every character of `text` (blanks and control characters aside) draws in `font` as a
// glyph of its own rather than as the font's missing-glyph mark.
bool FontDrawsText(HFONT font, std::wstring_view text);

// An installed face that has glyphs for every character of `text`: well-known faces for Chinese
// text first, then every other face, those of an East Asian character set before the rest.
// Empty when no face has them all.
std::wstring FaceWithGlyphs(std::wstring_view text);

// `font` when it draws `text`; otherwise the same font (height, weight, style) in a face that
// has the glyphs, made once and kept; `font` again when no installed face has them.
HFONT FontForText(HFONT font, std::wstring_view text);

} // namespace fw
