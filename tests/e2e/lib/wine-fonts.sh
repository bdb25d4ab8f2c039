# Sourced by the end-to-end scripts: makes sure that the Wine prefix has the fonts and settings
# that tools/wine-session.sh gives every prefix once (Latin UI fonts, Chinese text linked to an
# outline CJK font, font smoothing). Quick when the prefix has them already.
#   wine_cjk_fonts    (uses $WINE and $WINEPREFIX)
declare -F wine_prefix_prepare >/dev/null ||
  source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/tools/wine-session.sh"
wine_cjk_fonts() {
  wine_prefix_prepare
}
