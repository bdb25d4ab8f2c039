# Sourced: makes the Chinese captions readable in a Wine prefix that has no Windows fonts.
# "MS Sans Serif" (the forms' font) and 宋体/SimSun map to WenQuanYi Zen Hei, and the caption
# font Tahoma links to it for the characters it lacks.
#   wine_cjk_fonts    (uses $WINE and $WINEPREFIX)
wine_cjk_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  local face='WenQuanYi Zen Hei'
  "$WINE" reg add "$key\\FontSubstitutes" /v 'MS Sans Serif' /t REG_SZ /d "$face" /f >/dev/null 2>&1
  "$WINE" reg add "$key\\FontSubstitutes" /v 'SimSun' /t REG_SZ /d "$face" /f >/dev/null 2>&1
  "$WINE" reg add "$key\\FontSubstitutes" /v '宋体' /t REG_SZ /d "$face" /f >/dev/null 2>&1
  "$WINE" reg add "$key\\FontLink\\SystemLink" /v 'Tahoma' /t REG_MULTI_SZ \
    /d "wqy-zenhei.ttc,$face" /f >/dev/null 2>&1
  wineserver -w
}
