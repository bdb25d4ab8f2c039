# Sourced: a skin file made here without the program's skin generator: its bitmaps drawn by
# ImageMagick, its INI description written out below, packed by skinpack as a skin maker would.
# "Moss": a moss-green frame with a square white close button over pale green-grey controls.
#   make_handmade_skin SKINPACK FOLDER OUT.skn
make_handmade_skin() {
  local skinpack=$1 dir=$2 out=$3
  rm -rf "$dir"
  mkdir -p "$dir"
  local bmp=(-type TrueColor -define bmp:format=bmp3)
  # Frames: active above inactive for the top and bottom, side by side for the sides. Magenta
  # (255,0,255) is transparent: the top's outer corners are cut.
  convert -size 100x26 gradient:'#4f8a3c-#2e5e22' -size 100x26 gradient:'#8a9a84-#6f7d6a' -append \
    -fill magenta -draw 'point 0,0' -draw 'point 99,0' -draw 'point 0,26' -draw 'point 99,26' \
    "${bmp[@]}" "$dir/top.bmp"
  convert -size 100x4 xc:'#2e5e22' -size 100x4 xc:'#6f7d6a' -append "${bmp[@]}" "$dir/bottom.bmp"
  convert -size 4x90 xc:'#2e5e22' -size 4x90 xc:'#6f7d6a' +append "${bmp[@]}" "$dir/left.bmp"
  cp "$dir/left.bmp" "$dir/right.bmp"
  # The close button, 4 frames (normal, pressed, hot, inactive) of 20 × 18.
  local frames=()
  for fill in '#3f7a2e' '#1e3e16' '#c0392b' '#7f8c7a'; do
    convert -size 20x18 xc:"$fill" -stroke white -strokewidth 2 -draw 'line 6,5 13,12' \
      -draw 'line 13,5 6,12' "${bmp[@]}" "$dir/close-$fill.bmp"
    frames+=("$dir/close-$fill.bmp")
  done
  convert "${frames[@]}" +append "${bmp[@]}" "$dir/close.bmp"
  rm -f "${frames[@]}"
  # Push buttons, 5 frames of 16 × 16: normal, pressed, disabled, hot, focused.
  convert -size 16x16 xc:'#e4eedc' -size 16x16 xc:'#b9cfae' -size 16x16 xc:'#eeeeee' \
    -size 16x16 xc:'#f2f8ee' -size 16x16 xc:'#d6e8cb' +append -fill none -stroke '#4f8a3c' \
    -draw 'rectangle 0,0 15,15' -draw 'rectangle 16,0 31,15' -draw 'rectangle 32,0 47,15' \
    -draw 'rectangle 48,0 63,15' -draw 'rectangle 64,0 79,15' "${bmp[@]}" "$dir/button.bmp"
  cat >"$dir/moss.ini" <<'INI'
; Moss: a hand-made skin (ImageMagick pictures, this description, skinpack).
[Personality]
SkinName=Moss
Top=top.bmp
TopTopHeight=6
TopBotHeight=6
TopFrame=2
Bottom=bottom.bmp
BottomFrame=2
Left=left.bmp
LeftTopHeight=26
LeftBotHeight=4
LeftFrame=2
Right=right.bmp
RightTopHeight=26
RightBotHeight=4
RightFrame=2
TextShift=10
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=230
InActiveTextG=230
InActiveTextB=230

[Colours]
ButtonFace=232 240 226
Menu=250 252 248
MenuText=20 40 16
Hilight=79 138 60
HilightText=255 255 255

[Button0]
ButtonImage=close.bmp
Action=0
Align=1
Xcoord=26
Ycoord=4
frame=4

[Buttons]
Bitmap=button.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
INI
  "$skinpack" pack "$dir" "$out"
}
