#include "tools/skingen/theme.h"

#include "tools/skingen/palette.h"

namespace skingen {

Theme LanlinLakeTheme() {
  using namespace palette;
  Theme t;
  t.name = "Lanlin Lake";
  t.captionTop = kCaptionTop;
  t.captionBottom = kCaptionBottom;
  t.captionShineColour = kCaptionShine;
  t.captionLine = kFrameInner;
  t.frameOuter = kFrameOuter;
  t.frameInner = kFrameInner;
  t.frameBody = kFrameBody;
  t.inactiveGrey = kInactiveGrey;
  const Pixel bandTop = Mix(kCaptionTop, kWhite, 0.16);
  t.textBack = {bandTop, Mix(kCaptionBottom, kWhite, 0.10), Mix(bandTop, kCaptionBottom, 0.5)};
  t.captionGlyph = kWhite;
  t.captionGlyphInactive = Rgb(226, 230, 236);
  t.captionButtonHot = {Mix(kCaptionTop, kWhite, 0.35), Mix(kCaptionBottom, kWhite, 0.2),
                        Mix(kFrameOuter, kCaptionTop, 0.3)};
  t.captionButtonPressed = {Rgb(22, 62, 116), Rgb(34, 82, 146), kFrameOuter};
  t.closeHot = {Mix(kClose, kWhite, 0.25), kClose, Rgb(150, 40, 34)};
  t.closePressed = {kClosePressed, Mix(kClosePressed, kClose, 0.5), Rgb(120, 28, 24)};
  t.mdiGlyph = Rgb(40, 52, 72);
  t.menuBar = {Rgb(248, 250, 254), Rgb(228, 235, 246), Rgb(190, 204, 226)};
  t.menuBarInactive = {Rgb(244, 245, 247), Rgb(232, 234, 238), Rgb(204, 208, 216)};

  t.face = kFace;
  t.faceLight = kFaceLight;
  t.faceDark = kFaceDark;
  t.faceShine = kWhite;
  t.edge = kEdge;
  t.edgeHot = kEdgeHot;
  t.edgeDisabled = kEdgeDisabled;
  t.hotTop = kHotTop;
  t.hotBottom = kHotBottom;
  t.pressedTop = kPressedTop;
  t.pressedBottom = kPressedBottom;
  t.disabledFace = kDisabledFace;
  t.field = kWhite;
  t.mark = kMark;
  t.markDisabled = kMarkDisabled;
  t.glyph = Rgb(52, 70, 100);
  t.grip = Rgb(120, 140, 170);
  t.gripHot = kMark;
  t.scrollTrack[0] = Rgb(230, 235, 242);
  t.scrollTrack[1] = Rgb(206, 216, 232);
  t.scrollTrack[2] = Rgb(240, 241, 243);
  t.scrollTrack[3] = Rgb(222, 230, 242);
  t.progressTrough = {Rgb(226, 232, 240), Rgb(246, 248, 251), kEdge};
  t.progressBar = {Rgb(120, 200, 120), Rgb(46, 150, 64), Rgb(40, 120, 56)};
  t.progressShine = Rgb(178, 232, 170);
  t.panelEdge = Rgb(170, 186, 210);
  t.panelEdgeDisabled = kEdgeDisabled;
  t.panelEdgeLight = kWhite;
  t.groupLabel = {kWhite, Rgb(226, 234, 246), Rgb(170, 186, 210)};
  t.fieldShadow = Rgb(226, 232, 240);
  t.menuSeparatorDark = Rgb(200, 208, 222);
  t.menuSeparatorLight = kWhite;
  t.menuSelection = {Rgb(226, 240, 255), kSelection, kSelectionEdge};
  t.menuBackTop = kWhite;
  t.menuBackBottom = Rgb(246, 248, 252);
  t.menuMargin = Rgb(238, 243, 250);
  t.menuBackEdge = Rgb(150, 166, 192);
  t.headerLine = Rgb(176, 190, 212);
  t.headerDivider = Rgb(196, 206, 224);
  t.headerHotMarker = Rgb(248, 180, 60);
  t.statusTop = Rgb(242, 245, 250);
  t.statusBottom = Rgb(228, 234, 243);
  t.statusEdge = Rgb(170, 184, 206);
  t.statusLight = kWhite;
  t.trackFill = Rgb(214, 222, 234);
  t.trackDark = Rgb(140, 156, 182);
  t.trackLight = kWhite;
  t.trackInside = Rgb(228, 234, 243);
  t.sizeGrip = Rgb(130, 146, 172);
  return t;
}

Theme InkstoneTheme() {
  // Ink, rice paper and the vermilion of a seal.
  constexpr Pixel kInk = Rgb(40, 36, 32);
  constexpr Pixel kPaper = Rgb(240, 234, 222);
  constexpr Pixel kPaperLight = Rgb(255, 252, 246);
  constexpr Pixel kSepia = Rgb(120, 108, 92);
  constexpr Pixel kVermilion = Rgb(184, 50, 42);
  Theme t;
  t.name = "Inkstone";
  t.corners = CornerStyle::kAngled;
  t.windowCorner = 8;
  t.windowBottomCorner = 3;
  t.captionHeight = 28;
  t.borderWidth = 5;
  t.captionButtonWidth = 24;
  t.captionButtonHeight = 18;
  t.captionButtonCorner = 3;
  t.controlCorner = 3;
  t.diamondRadio = true;
  t.captionShine = false;
  t.thinGlyphs = true;
  t.framedCaptionButtons = true;

  t.captionTop = Rgb(50, 52, 57);
  t.captionBottom = Rgb(26, 27, 30);
  t.captionShineColour = t.captionTop;
  t.captionLine = kVermilion;
  t.captionLineHeight = 2;
  t.frameOuter = Rgb(8, 8, 10);
  t.frameInner = Rgb(62, 64, 70);
  t.frameBody = Rgb(34, 35, 39);
  t.inactiveGrey = Rgb(132, 130, 126);
  t.inactiveMix = 0.45;
  t.textBack = {Rgb(66, 68, 74), Rgb(46, 48, 53), Rgb(88, 90, 96)};
  t.captionGlyph = Rgb(236, 228, 214);
  t.captionGlyphInactive = Rgb(168, 164, 158);
  t.captionButtonNormal = {Rgb(44, 46, 51), Rgb(36, 37, 41), Rgb(74, 76, 82)};
  t.captionButtonHot = {Rgb(78, 80, 87), Rgb(60, 62, 68), kVermilion};
  t.captionButtonPressed = {Rgb(30, 31, 34), Rgb(42, 44, 48), kVermilion};
  t.closeHot = {Rgb(214, 70, 56), kVermilion, Rgb(120, 24, 18)};
  t.closePressed = {Rgb(130, 30, 24), Rgb(156, 40, 32), Rgb(90, 14, 10)};
  t.mdiGlyph = kInk;
  t.menuBar = {Rgb(248, 243, 233), Rgb(234, 226, 210), Rgb(196, 184, 160)};
  t.menuBarInactive = {Rgb(242, 238, 230), Rgb(230, 226, 218), Rgb(206, 200, 190)};

  t.face = kPaper;
  t.faceLight = Rgb(250, 246, 238);
  t.faceDark = Rgb(224, 213, 194);
  t.faceShine = kPaperLight;
  t.edge = kSepia;
  t.edgeHot = kVermilion;
  t.edgeDisabled = Rgb(198, 190, 178);
  t.hotTop = Rgb(255, 249, 240);
  t.hotBottom = Rgb(242, 222, 204);
  t.pressedTop = Rgb(216, 200, 178);
  t.pressedBottom = Rgb(232, 220, 202);
  t.disabledFace = Rgb(236, 232, 226);
  t.field = Rgb(255, 253, 248);
  t.mark = kInk;
  t.markDisabled = Rgb(170, 162, 150);
  t.glyph = Rgb(64, 56, 48);
  t.grip = Rgb(150, 138, 120);
  t.gripHot = kVermilion;
  t.scrollTrack[0] = Rgb(228, 220, 204);
  t.scrollTrack[1] = Rgb(210, 196, 176);
  t.scrollTrack[2] = Rgb(238, 234, 228);
  t.scrollTrack[3] = Rgb(222, 210, 192);
  t.progressTrough = {Rgb(222, 214, 200), Rgb(242, 236, 226), kSepia};
  t.progressBar = {Rgb(212, 84, 66), Rgb(160, 40, 32), Rgb(116, 26, 20)};
  t.progressShine = Rgb(236, 146, 126);
  t.panelEdge = Rgb(168, 154, 134);
  t.panelEdgeDisabled = Rgb(206, 198, 186);
  t.panelEdgeLight = kPaperLight;
  t.groupLabel = {kPaperLight, Rgb(232, 222, 204), Rgb(168, 154, 134)};
  t.fieldShadow = Rgb(228, 220, 206);
  t.menuSeparatorDark = Rgb(206, 194, 174);
  t.menuSeparatorLight = kPaperLight;
  t.menuSelection = {Rgb(208, 74, 60), Rgb(176, 48, 40), Rgb(124, 30, 24)};
  t.menuBackTop = Rgb(252, 249, 242);
  t.menuBackBottom = Rgb(246, 240, 230);
  t.menuMargin = Rgb(236, 228, 212);
  t.menuBackEdge = kInk;
  t.headerLine = Rgb(168, 154, 134);
  t.headerDivider = Rgb(200, 188, 168);
  t.headerHotMarker = kVermilion;
  t.statusTop = Rgb(244, 238, 228);
  t.statusBottom = Rgb(230, 222, 208);
  t.statusEdge = Rgb(168, 154, 134);
  t.statusLight = kPaperLight;
  t.trackFill = Rgb(214, 204, 186);
  t.trackDark = Rgb(140, 126, 106);
  t.trackLight = kPaperLight;
  t.trackInside = Rgb(228, 220, 204);
  t.sizeGrip = Rgb(150, 138, 120);
  return t;
}

bool ThemeNamed(const std::string& name, Theme& theme) {
  if (name == "lanlin-lake") {
    theme = LanlinLakeTheme();
  } else if (name == "inkstone") {
    theme = InkstoneTheme();
  } else {
    return false;
  }
  return true;
}

} // namespace skingen
