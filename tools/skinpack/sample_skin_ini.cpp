#include "tools/skinpack/sample_skin.h"

#include <string_view>

namespace skinpack {

namespace {

// Written with LF; skins use CR LF, so the breaks are converted when the text is built.
constexpr std::string_view kSampleIni =
    R"ini(; Sample skin made by skinpack for tests and benchmarks.
; Every image is generated; the values follow what the skin loader reads.

[Personality]
SkinName=Sample Blue
TitlebarSkin=Sample Blue
Top=top.bmp
TopTopHeight=40
TopBotHeight=40
TopFrame=2
TopStretch=1
Bottom=bottom.bmp
BottomTopHeight=20
BottomBotHeight=20
BottomFrame=2
BottomStretch=1
BottomTrans=1
Left=left.bmp
LeftTopHeight=4
LeftBotHeight=4
LeftFrame=2
LeftStretch=1
LeftTrans=0
Right=right.bmp
RightTopHeight=4
RightBotHeight=4
RightFrame=2
RightStretch=1
RightTrans=0
TextBack=textback.bmp
TextShift=24
TextShiftVert=7
TextRightClip=80
TextAlignment=0
Textbackground=0
TXTBackleft=10
TXTBackRight=10
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=200
InActiveTextG=200
InActiveTextB=210
menuBar=menubar.bmp
TileMenu=1
TileLeftMenu=2
TileRightMenu=2
ExplorerBmp=
MDIBmp=

[Fonts]
FontHeight=14

[Colours]
WindowText=0 0 0
ButtonFace=224,228,240
Scrollbar=224 228 240
HilightText=255 255 255
Hilight=49;106;197
Menubar=232 232 240
Menu=248 248 255
MenuText=0 0 0
ButtonText=0 0 0
ButtonHilight=255 255 255
Buttonlight=240 240 248
ButtonShadow=128 144 176
ButtonDkShadow=64 72 96
MenuBarText=0 0 0
TitleTextActive=255 255 255
TitleTextNoActive=200 200 210

[Colour.Edit]
color=0 0 64

[Customcolors]
Color0=255 255 255
Color1=224 228 240
Color2=0x1F 0 0

[Button0]
ButtonImage=min.bmp
Action=2
Align=1
Xcoord=72
Ycoord=5
frame=3

[Button1]
ButtonImage=max.bmp
Action=1
Visibility=2
Align=1
Xcoord=48
Ycoord=5
frame=3

[Button2]
ButtonImage=close.bmp
Action=0
Align=1
Xcoord=24
Ycoord=5
frame=3

[Button3]
ButtonImage=restore.bmp
Action=1
Visibility=1
Align=1
Xcoord=48
Ycoord=5
frame=3

[Button4]
Action=3
Align=0
Xcoord=4
Ycoord=5

[Buttons]
Bitmap=button.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=0
NormalColour=0
MouseOverColour=0x7F0000
PressedColour=$FF
NormalColour2=0 0 0
MouseOverColour2=0 0 128
PressedColour2=128 0 0

[Progress]
Bitmap=progress.bmp
Style=0
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Tile=1

[Progress.Chunk]
Image=progress.bmp
Frame=2
Tile=1

[GroupBoxEdge]
Image=groupbox.bmp
LeftWidth=6
RightWidth=6
TopHeight=6
BottomHeight=6

[GroupBox]
Image=groupbox.bmp
BackgroundAlignment=0
BackgroundLeftShift=4
BackgroundRightShift=4

[Tabs]
Image=tabs.bmp
Border=sunkedge.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=2
Trans=1

[Tab.Pane]
Image=sunkedge.bmp
LeftWidth=10
RightWidth=2
TopHeight=2
BottomHeight=2

[ComboButton]
Image=combobutton.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[SunkEdge]
Image=sunkedge.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2

[MenuItem]
Image=menuitem.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Tile=0

[MenuBackground]
Image=menuback.bmp
Tile=1

[Scrollbar]
Image=scrollbar.bmp
LeftWidth=0
Trans=0

[HorzScroll]
Image=hscroll.bmp
LeftWidth=4
RightWidth=4
Tile=1

[VertScroll]
Image=vscroll.bmp
TopHeight=4
BottomHeight=4
Tile=1

[HorzScrollThumb]
Image=hthumb.bmp
LeftWidth=4
RightWidth=4
FrameCount=3

[VertScrollThumb]
Image=vthumb.bmp
TopHeight=4
BottomHeight=4
FrameCount=3

[StatusBarEdges]
Image=sunkedge.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2

[ToolBars]
Image=button.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[Trackbar.ThumbHorz]
Image=hthumb.bmp
Trans=1

[Trackbar.ThumbVert]
Image=vthumb.bmp
Trans=1

[UpDown.Horz]
Image=hscroll.bmp
GlyphImage=hthumb.bmp
LeftWidth=2
RightWidth=2

[UpDown.Vert]
Image=vscroll.bmp
GlyphImage=vthumb.bmp
TopHeight=2
BottomHeight=2

[MDICONTROLS]
Image=
ButtonCount=3

[Button9]
; Not a caption button: Action -1 without Visibility.
Action=-1

[ ExtraImages ]
; Left empty on purpose: the element is absent.
Image=

[Headerbar]
Image=folder/button.bmp
Frame=5
)ini";

} // namespace

std::string SampleSkinIni() {
  std::string text;
  text.reserve(kSampleIni.size() * 2);
  for (char c : kSampleIni) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

} // namespace skinpack
