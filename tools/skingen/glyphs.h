// Small pictures drawn into skin images: caption button symbols, arrows and marks. '#' is the
// glyph colour, '+' half of it.
#pragma once

#include "tools/skingen/paint.h"

#include <string_view>
#include <vector>

namespace skingen {

using GlyphRows = std::vector<std::string_view>;

// Centred in `r`, moved right and down by `shift` (a pressed look).
void DrawGlyph(TBitmap& image, TRect r, const GlyphRows& glyph, Pixel colour, int shift);

inline const GlyphRows kMinimizeGlyph = {"          ", "          ", "          ",
                                         "          ", "          ", "          ",
                                         "          ", "##########", "##########"};
inline const GlyphRows kMaximizeGlyph = {"##########", "##########", "#........#",
                                         "#........#", "#........#", "#........#",
                                         "#........#", "#........#", "##########"};
inline const GlyphRows kRestoreGlyph = {"  ########", "  ########", "  #......#",
                                        "########.#", "########.#", "#......###",
                                        "#......#  ", "#......#  ", "########  "};
inline const GlyphRows kCloseGlyph = {"+#      #+", "##+    +##", " ##+  +## ",
                                      "  ##++##  ", "   ####   ", "  ##++##  ",
                                      " ##+  +## ", "##+    +##", "+#      #+"};
// Thin-lined caption symbols, 8 × 8.
inline const GlyphRows kThinMinimizeGlyph = {"        ", "        ", "        ", "        ",
                                             "        ", "        ", "        ", "########"};
inline const GlyphRows kThinMaximizeGlyph = {"########", "########", "#      #", "#      #",
                                             "#      #", "#      #", "#      #", "########"};
inline const GlyphRows kThinRestoreGlyph = {"  ######", "  ######", "######.#", "######.#",
                                            "#....###", "#....#  ", "#....#  ", "######  "};
inline const GlyphRows kThinCloseGlyph = {"#+    +#", "+#+  +#+", " +#++#+ ", "  +##+  ",
                                          "  +##+  ", " +#++#+ ", "+#+  +#+", "#+    +#"};
inline const GlyphRows kSmallMinimizeGlyph = {"      ", "      ", "      ",
                                              "      ", "######", "######"};
inline const GlyphRows kSmallRestoreGlyph = {" #####",  " #####", "##### ",
                                             "#####  ", "#   # ", "##### "};
inline const GlyphRows kSmallCloseGlyph = {"#+  +#", "+#++#+", " +##+ ",
                                           " +##+ ", "+#++#+", "#+  +#"};
inline const GlyphRows kArrowDown = {"#######", " ##### ", "  ###  ", "   #   "};
inline const GlyphRows kArrowUp = {"   #   ", "  ###  ", " ##### ", "#######"};
inline const GlyphRows kArrowLeft = {"   #", "  ##", " ###", "####", " ###", "  ##", "   #"};
inline const GlyphRows kArrowRight = {"#   ", "##  ", "### ", "####", "### ", "##  ", "#   "};
inline const GlyphRows kChevronDown = {"#+   +#", "+#+ +#+", " +#+#+ ", "  +#+  "};
inline const GlyphRows kCheckMark = {"      #", "     ##", "#   ###", "## ### ",
                                     "#####  ", " ###   ", "  #    "};
inline const GlyphRows kGripHorizontal = {"# # #", "     ", "# # #", "     ", "# # #"};
inline const GlyphRows kSizeGrip = {"      #", "       ", "    # #", "       ",
                                    "  # # #", "       ", "# # # #"};

} // namespace skingen
