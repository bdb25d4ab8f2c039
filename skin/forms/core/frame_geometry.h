// Geometry of a skinned window frame, from plain numbers: how a window is classified, the frame
// sizes the border images give, the client rectangle the frame leaves, the size a window is
// fitted to, and where the caption text goes.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/data/core/skin_objects.h"

#include <cstdint>
#include <string>

namespace skin {

using fw::TRect;

// Caption capabilities (bit set).
enum : int {
  kCapMaximize = 1,
  kCapMinimize = 2,
  kCapHelp = 4,
  kCapSystemMenu = 8,
  kCapKeepStyle = 16,
};

enum : int { kBorderSizeable = 0, kBorderSingle = 1, kBorderNone = 2, kBorderDialog = 3 };
enum : int { kStateNormal = 0, kStateMaximized = 1, kStateMinimized = 2 };
// A window's part in a multiple-document interface.
enum : int { kMdiNone = 0, kMdiFrame = 1, kMdiChild = 2 };

struct WindowKind {
  int caps = 0;
  int borderKind = kBorderSizeable;
  int mdiKind = kMdiNone;
  bool isDialog = false;
  bool rightToLeft = false;
  bool isChild = false;
  bool IsMdiChild() const { return mdiKind == kMdiChild; }
};

struct WindowKindFacts {
  std::uint32_t style = 0, exStyle = 0;
  std::string className;
  bool hasSystemMenu = false; // GetSystemMenu found one
  bool hasOwner = false;
  bool hasMdiClient = false; // one of its child windows is of class MDIClient
  bool platformNT = true;
  int osMajor = 5, osMinor = 1;
};

WindowKind ClassifyWindow(const WindowKindFacts& facts);

// GetWindowPlacement's showCmd as a window state.
int WindowStateFromShowCmd(unsigned showCmd);

struct FrameSizes {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const FrameSizes&) const = default;
};

// Top and bottom images hold their frames stacked, left and right images side by side; a window
// without a caption has no frame at all.
FrameSizes CalcFrameSizes(int borderKind, const TDataSkinObject& left, const TDataSkinObject& top,
                          const TDataSkinObject& right, const TDataSkinObject& bottom);

// The client rectangle (parent coordinates) of a window placed at (x, y) with size cx × cy.
TRect ClientRectInFrame(int x, int y, int cx, int cy, const FrameSizes& frame, int menuHeight);

// A maximized MDI child has its frame outside the MDI client and a minimized one shows only its
// title: both, like a window without caption, keep the client rectangle the system computes.
bool KeepsSystemClientArea(const WindowKind& kind, int windowState);

// Where the client area's origin lies in frame (window) coordinates. A minimized MDI child keeps
// the system's client rectangle, which starts at the window's corner.
struct TOffset {
  int x = 0, y = 0;
  bool operator==(const TOffset&) const = default;
};
TOffset ClientOriginInFrame(const WindowKind& kind, int windowState, const FrameSizes& frame,
                            int menuHeight);

// An MDI child whose skinned caption is lower than the system's caption and sizing border
// (systemCaptionAndFrame) gets the difference as a strip under its caption, so that its client
// area starts no higher than the system would put it. Other windows get no strip.
int MdiChildCaptionPad(const WindowKind& kind, int borderTop, int systemCaptionAndFrame);

// What an MDI child's frame does when the manager learns that a maximized child exists or that
// none is left: while one is maximized every child shows its system frame (a maximized child's
// frame lies outside the MDI client, and a region cut for the normal size would clip it).
enum class MdiFrameStep {
  Suspend,  // drop the window's own region and switch the skinned frame off
  SwitchOn, // a minimized child: only switch the skinned frame on again
  Resume,   // back to the normal state, frame recomputed and switched on, client area recalculated
};
MdiFrameStep MdiChildFrameStep(bool maximizedChildExists, int windowState);

// The window size that keeps a client area of clientWidth × clientHeight under the frame.
struct FittedSize {
  int width = 0, height = 0;
  int childShift = 0; // how far a dialog's controls move right when its caption needs the room
};
FittedSize FitWindowSize(int clientWidth, int clientHeight, const FrameSizes& frame,
                         int menuHeight);
// A dialog grows to show its whole caption: title LeftWidth + text width + title RightWidth.
void WidenForCaption(FittedSize& size, int captionTextWidth, const TDataSkinTitle& title);

// Where the caption text goes inside the caption rectangle `caption` (buffer coordinates).
struct CaptionTextInput {
  TRect caption;
  int textWidth = 0, textHeight = 0; // measured size of the caption text
  int rightGroupOffset = 0;          // largest XCoord of the visible right-aligned buttons
  bool rightToLeft = false;
  bool popupStyle = false; // WS_POPUP
  int borderKind = kBorderSizeable;
};
struct CaptionTextLayout {
  TRect bounds; // with the text background margins (FTextBounds)
  TRect text;   // where the text is drawn
};
CaptionTextLayout LayoutCaptionText(const CaptionTextInput& in, const TDataSkinTitle& title);

} // namespace skin
