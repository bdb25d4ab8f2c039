// Skinned scroll bars by overlay: a small borderless window (TWScrollbar) lies exactly over a
// scroll bar and paints the skin's arrows, track, thumb and grip. It scrolls nothing itself: a
// press on it is handed to the real scroll bar underneath as the same click, so the system's own
// logic (arrows, paging, thumb tracking, repeat timers, keyboard, wheel) does all the work and
// the overlay only repaints.
//
// TSkinScrollbar gives a control with window scroll bars (memo, list box, list view, one of ours
// or a bare window) one overlay per bar and fills the size-box corner between them with the
// face colour; TSkinScrollbarH is its variant for bare windows that a combo box skin or the
// window skin creates. TSkinScControl gives a stand-alone scroll-bar control one overlay.
// Overlays are their skin's own (unique_ptr) and die with it.
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

// Window scroll bars of a control (control mode) or of a bare window (window mode). A control
// with an integer property FixedColor (the fixed cells of a grid) shows it in the face colour
// while skinned and gets its own value back afterwards. A control whose window is made again
// (CM_RECREATEWND) asks the window skin for a fresh skin of this kind on the new window.
class TSkinScrollbar : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinScrollbar"; }

  void AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                     const TControlSkinSource& skinData, bool setColor) override;
  void AttachWindow(HWND handle, const TControlSkinSource& skinData,
                    TControlSkinOwner* skinForm) override;
  void Deactivate() override;
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;
  void SkinChanged(const TControlSkinSource& skinData) override;

  TWScrollbar* HorzBar() const { return FHorzBar.get(); }
  TWScrollbar* VertBar() const { return FVertBar.get(); }
  // The control whose window this skin saw being made again; null otherwise. The window skin
  // gives that control a fresh skin (the control itself let go of this one with its old window).
  fw::TWinControl* RecreatedControl() const { return FRecreatedControl; }

protected:
  void SkinSwitched(bool on) override;
  void MakeBars();
  // The overlays go; the system draws its own bars again.
  void DropBars();
  void PlaceBars();
  void RepaintBars();
  // The size box between two shown bars, in window coordinates.
  bool SizeBox(RECT& box) const;
  void DrawBorder(HDC dc);
  void FixedColorToFace();
  // A control with a FixedColor property shows the face colour there, its own kept.
  void TakeFixedColor();
  void GiveBackFixedColor();
  void RecreateWindow(fw::TMessage& message);

  std::unique_ptr<TWScrollbar> FHorzBar, FVertBar;
  bool FBorder = false;
  bool FFixedColorSet = false;     // FixedColor shows the face colour
  fw::TColor FSavedFixedColor = 0; // the control's own FixedColor
  fw::TWinControl* FRecreatedControl = nullptr;
};

// The scroll bars of a bare window that a combo box skin makes for its list.
class TSkinScrollbarH : public TSkinScrollbar {
public:
  std::wstring ClassName() const override { return L"TSkinScrollbarH"; }
};

// A stand-alone scroll-bar control: one overlay over the whole control.
class TSkinScControl : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinScControl"; }

  void AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                     const TControlSkinSource& skinData, bool setColor) override;
  void AttachWindow(HWND handle, const TControlSkinSource& skinData,
                    TControlSkinOwner* skinForm) override;
  void Deactivate() override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  TWScrollbar* Bar() const { return FBar.get(); }

protected:
  void SkinSwitched(bool on) override;

private:
  std::unique_ptr<TWScrollbar> FBar;
};

} // namespace skin
