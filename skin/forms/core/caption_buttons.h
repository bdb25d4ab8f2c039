// Caption buttons of a skinned frame, from plain numbers: which ones show, where they sit, which
// frame of their image is drawn, what a click does and which hint they carry.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/data/core/skin_objects.h"
#include "skin/forms/core/frame_geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace skin {

// The mouse state of a caption button or a menu-bar item. Hover and press feedback shows the
// image frame of the same number: 1 normal, 2 pressed, 3 hot.
enum class TButtonState {
  None = 0, // not yet painted by the mouse
  Normal = 1,
  Pressed = 2,
  Hot = 3,
};

// The Visibility of the MDI child buttons (minimize, restore, close of a maximized MDI child),
// which the menu bar shows instead of the caption.
inline constexpr int kVisibleInMenuBar = 100;

// What the visibility rules look at (the form skinner's state).
struct CaptionState {
  int caps = 0; // kCap* bits
  int windowState = kStateNormal;
  bool active = true;
  int borderKind = kBorderSizeable;
  bool isDialog = false;
  bool mdiFrameWithMaximizedChild = false; // MDI frame whose active child is maximized ...
  bool hasMenuBar = false;                 // ... and that has a menu bar
  // Asks the window about application-defined visibility (1000..2000); > 0 shows the button.
  std::function<int(int visibility, int action)> askWindow;
};

struct ButtonVisibility {
  bool visible = false;
  bool enabled = true;
};

ButtonVisibility EvaluateButton(const TDataSkinSysButton& button, const CaptionState& state);

// Where a visible button with an image goes (frame coordinates); `textBounds` is the caption
// text's rectangle, `menuLeftWidth` the menu bar element's LeftWidth (0 without one).
TRect LayoutButton(const TDataSkinSysButton& button, int windowWidth, const TRect& textBounds,
                   const FrameSizes& frame, int menuHeight, int menuLeftWidth);
// The same for a button whose image is not its descriptor's (the window icon): its size given.
TRect LayoutButtonSized(const TDataSkinSysButton& button, int width, int height, int windowWidth,
                        const TRect& textBounds, const FrameSizes& frame, int menuHeight,
                        int menuLeftWidth);

// One caption button as the layout sees it: its descriptor, whether it shows an image, the size
// of one frame of that image (the window's icon for the window-icon button) and where it lay
// before (a button that is hidden or has no image keeps its place).
struct CaptionButtonFacts {
  const TDataSkinSysButton* data = nullptr;
  bool hasImage = false;
  int width = 0, height = 0;
  TRect bounds;
};
struct CaptionButtonPlace {
  bool visible = false;
  bool enabled = true;
  TRect bounds;
};
// Where the caption's text goes and which buttons show where, in the order of the facts.
struct CaptionLayout {
  CaptionTextLayout text;
  std::vector<CaptionButtonPlace> buttons;
};
// Lays the caption out: which buttons show (EvaluateButton), the text beside the visible
// right-aligned buttons (`text`'s rightGroupOffset is the layout's to find), then each visible
// button with an image at its place (LayoutButtonSized, beside the text where it is aligned so).
CaptionLayout LayoutCaption(const std::vector<CaptionButtonFacts>& buttons,
                            const CaptionState& state, CaptionTextInput text,
                            const TDataSkinTitle& title, int windowWidth, const FrameSizes& frame,
                            int menuHeight, int menuLeftWidth);

// The frame drawn in the caption: 1, or 4 when the frame is inactive or the button disabled and
// the image has at least four frames.
int CaptionFrame(const TDataSkinSysButton& button, bool frameActive, bool enabled);
// The frame drawn for a state as hover and press feedback: the state's own, or 4 for a disabled
// button (1 when its image has fewer than four frames) and for a hot MDI child button.
int StateFrame(const TDataSkinSysButton& button, TButtonState state, bool enabled);

enum class ButtonCommand {
  Close,
  ToggleMaximize,
  ToggleMinimize,
  SystemMenu,
  ContextHelp,
  MinimizeChild,
  RestoreChild,
  CloseChild,
  Application, // posted to the window as a caption command with the Action
};
ButtonCommand CommandOf(int action);

// The hint of a caption button; empty for none.
std::string HintText(int action);

} // namespace skin
