// Scroll bars skinned by overlay: a small borderless window (TWScrollbar) lies exactly over a
// scroll bar and paints the skin's arrows, track, thumb and grip. It scrolls nothing itself: a
// press on it is handed to the real scroll bar underneath as the same click, so the system's own
// logic (arrows, paging, thumb tracking, repeat timers, keyboard, wheel) does all the work and
// the overlay only repaints. The control skins that lay overlays (scroll_bar.h,
// scroll_control.h) own them (unique_ptr), and the overlays die with them.
#pragma once

#include "skin/controls/child_window.h"
#include "skin/controls/core/scroll_geometry.h"
#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

// Which scroll bar an overlay covers.
enum class ScrollBarKind { Horizontal = 0, Vertical = 1, Control = 2 };

// A scroll bar as the system reports it: its rectangle on the screen, its thumb along the axis
// (from the bar's start) and its state bits (STATE_SYSTEM_*).
struct ScrollBarGeometry {
  RECT bar{};
  ThumbExtent thumb;
  DWORD state = 0;
};

// The geometry of a window's bar (kinds 0/1, GetScrollBarInfo) or of a scroll-bar control
// (kind 2, from its scroll info); false when the system cannot tell.
bool ReadScrollBar(HWND target, ScrollBarKind kind, int arrowSize, ScrollBarGeometry& out);

// What the skin's scroll-bar pictures need to draw one bar.
struct ScrollBarLook {
  bool vertical = false;
  bool enabled = true;
  int trackLength = 0, thickness = 0, arrowSize = 0;
  ThumbExtent thumb;
  ScrollPart hotPart = ScrollPart::None;
  bool tracking = false; // the hot part is being pressed
};

// Draws a whole bar of `look` into `dc` at (x, y), composed in `buffer` and copied out once.
// Nothing without the skin's arrows image.
void DrawScrollBar(HDC dc, int x, int y, const TSkinElements& elements, const ScrollBarLook& look,
                   TPaintBuffer& buffer);

class TWScrollbar {
public:
  // `skin` is the owning skin's source, read at each paint.
  explicit TWScrollbar(const TControlSkinSource& skin);
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  // Lays the overlay over `target`'s bar of `kind`.
  void AttachToWindow(HWND target, ScrollBarKind kind);
  // Positions the overlay over the bar and shows it, or hides it when the window or the bar is
  // hidden.
  void Place();
  void HideBar();
  ScrollPart HitTest(POINT client) const;
  // Repaints the overlay now (when shown).
  void Repaint();
  // Shows the bar as it is now when it changed since the last paint without a repaint of the
  // control (a shown overlay looks a few times a second).
  void CheckStale();
  void SetHotPart(ScrollPart part) { FHotPart = part; }

  bool Shown() const { return FShown; }
  HWND Handle() const { return FWnd; }
  ScrollBarKind Kind() const { return FKind; }

private:
  TMessageAnswer WindowMessage(fw::TMessage& message);
  void MouseMove(POINT p);
  void MouseLeave();
  void MouseDown(POINT p);
  void MouseUp(POINT p);
  // A press (sent: the system tracks it inside the call) or a release (posted) handed to the
  // target at the same place: a scroll-bar control's client point, or a window bar's hit.
  enum class TPress { Down, Up };
  void HandToTarget(POINT p, TPress press);
  void Paint();
  bool Geometry(ScrollBarGeometry& g) const;
  bool AboveTarget() const;
  // A scroll-bar control lies as its style says; a window's bars by their kind.
  bool Vertical() const;

  const TControlSkinSource& FSkin;
  std::unique_ptr<TSkinChildWindow> FWindow;
  HWND FWnd = nullptr;
  int FTrackLength = 0;
  ThumbExtent FThumb;
  POINT FBarOrigin{};
  POINT FPressCursor{};
  int FPressThumbStart = 0;
  ScrollPart FHotPart = ScrollPart::None;
  int FArrowSize = 0;
  HWND FTarget = nullptr;
  ScrollBarKind FKind = ScrollBarKind::Vertical;
  RECT FBarRect{};
  bool FShown = false;
  bool FTracking = false;
  ScrollBarGeometry FPainted; // the bar as the last paint showed it
  TPaintBuffer FBuffer;
  TLiveness FLiveness;
};

} // namespace skin
