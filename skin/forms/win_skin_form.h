// TWinSkinForm: the skin of one top-level window. It subclasses the window, takes over its
// non-client area and paints it from the skin (borders, caption bar with text and caption
// buttons), gives the window a region cut from the magenta pixels of transparent borders, tells
// the system a client rectangle inside the skin's borders, and fits the window once so that its
// client area keeps its size. An MDI frame's MDI client is subclassed too, so that the menu bar
// follows the menus the MDI merges in. Unhook gives the window its system frame back.
//
// Every message of the window passes SkinWndProc, which hands it to a chain of units in a fixed
// order, each a flat switch of named handlers; the first unit that answers it ends its way, and a
// message no unit answers goes to the window's own procedure:
//   1. the window skin's own life (win_skin_form.cpp): start, skin change, destruction;
//   2. the controls' upkeep (form_controls.cpp): the control skins and a bare window's background;
//   3. the menus (TFormMenus, form_menus.cpp): menu bar, drop-downs, system menu, owner-drawn
//   items;
//   4. the frame and its caption buttons (form_frame_messages.cpp): non-client painting, hit
//      testing, the mouse over the caption, window state and system commands.
// The MDI client's own procedure is a unit of the same kind (mdi_client.cpp). The painting and
// geometry of the frame are in form_frame.cpp.
#pragma once

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/handles.h"
#include "skin/common/message_answer.h"
#include "skin/common/window_subclass.h"
#include "skin/controls/skin_control.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_options.h"
#include "skin/forms/control_discovery.h"
#include "skin/forms/core/caption_buttons.h"
#include "skin/forms/core/frame_geometry.h"
#include "skin/forms/form_menus.h"
#include "skin/forms/skin_source.h"
#include "skin/skin_messages.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace fw {
class TForm;
}

namespace skin {

// Life of a window skin.
enum class TFormLife {
  Hooked,       // subclassed; the start (SM_STARTSKIN) is still to come, nothing is painted
  Running,      // the frame is the skin's
  ChangingSkin, // taking up a changed skin
  Destroying,   // the window is being destroyed (WM_NCDESTROY)
  Fitting,      // the window is being fitted to the skin's frame during the start
  Destroyed,    // the window is gone, or the manager let it go: the object waits to be freed
};

// The four borders of the frame, in the order their caches are kept.
enum class TBorderSide { Left, Right, Top, Bottom };
// The top and bottom borders run across the window: their images are stacked frames, stretched
// along the width.
inline bool IsAcross(TBorderSide side) {
  return side == TBorderSide::Top || side == TBorderSide::Bottom;
}

// A caption button: one per caption button descriptor of the skin.
struct TWinSysButton {
  const TDataSkinSysButton* FData = nullptr;
  TRect FBounds;
  bool FVisible = false;
  TButtonState FButtonState = TButtonState::None;
  bool FEnabled = true;
};

class TWinSkinForm : public fw::TComponent, public TControlSkinOwner, private TMenuHost {
public:
  explicit TWinSkinForm(TFormSkinSource source);
  ~TWinSkinForm() override;
  std::wstring ClassName() const override { return L"TWinSkinForm"; }
  TWinSkinForm(const TWinSkinForm&) = delete;
  TWinSkinForm& operator=(const TWinSkinForm&) = delete;

  // Subclasses the window and computes the frame; the skin starts with SM_STARTSKIN, which the
  // caller posts. False when the window is already hooked by this object or does not exist.
  bool HookWindow(HWND wnd);
  // Gives the window back its procedure, its system frame size, style and region.
  void Unhook();

  void CalcFrame();
  void FitWindow(bool keepClientRect);
  void PaintFrame(HDC dc);
  void UpdateRegion();
  // Decides, for each child control (or child window of a bare window), its control skin.
  void DiscoverControls();
  // A child window made after the start (a size grip) is matched like the others.
  void OfferChildWindow(HWND child);
  // One of the form's controls made, or whose window was made again, after the start gets the
  // skin discovery decides for it.
  void OfferControl(HWND wnd);
  // Decisions taken after the start join those of the start, in place of a control's older one.
  void AddDiscovered(const std::vector<TDiscoveredControl>& found);
  // Builds the region again even though the size is unchanged (after a skin change).
  void RebuildRegion() {
    FRegionWidth = FRegionHeight = 0;
    UpdateRegion();
  }

  // The control skins of this window. Registering a control skin hands it to this window skin,
  // which frees it when its control's window is gone (DropDeadControls) or when the window is
  // unskinned (FreeControls).
  // Lists `skin` unless it is listed already (then true), taking ownership of it.
  bool AddControl(TSkinControl* skin) override;
  // Takes `skin` out of the list (its last occurrence) and hands it back to the caller.
  std::unique_ptr<TSkinControl> RemoveControl(TSkinControl* skin);
  // The control answers SM_ISSKINNED, or a listed skin skins it.
  bool IsControlSkinned(HWND control) const;
  // Frees the skins whose control's window is gone.
  void DropDeadControls();
  // Deactivates (unless the window is being destroyed) and frees every control skin.
  void FreeControls();
  // The skin changed: every control skin takes it up and repaints.
  void ControlsSkinChanged();
  const std::vector<std::unique_ptr<TSkinControl>>& Controls() const { return FControls; }

  // The window's class name, passed to the skin component's events (set by the manager).
  std::wstring FName;

  HWND Handle() const override { return FHandle; }
  TFormLife State() const { return FState; }
  bool Active() const { return FActive; }
  int WindowState() const { return FWindowState; }
  // Its part in a multiple-document interface (kMdiNone, kMdiFrame, kMdiChild) and, for an MDI
  // frame, its MDI client window.
  int MdiKind() const { return FKind.mdiKind; }
  HWND MdiClient() const { return FClientWnd; }

  // The frame is painted from the skin; switched off, the window shows its system frame while its
  // messages still pass through this object. A window whose skin keeps the system frame (no
  // xcMainMenu, or an MDI child under xoMDIChildBorder) is never switched on.
  bool SkinFrame() const { return FSkinFrame; }
  void SetSkinFrame(bool on) { FSkinFrame = on && FFrameAllowed; }
  // Gives up the window region this object set.
  void DropRegion();
  // A skinned frame again after a maximized MDI child: the normal state, the frame recomputed
  // and switched on, and, when the window has no region of its own, the client area
  // recalculated and a region built.
  void ResumeSkinFrame();
  // The manager has let the window go: the object waits in the destroyed state to be freed.
  void MarkDestroyed() { FState = TFormLife::Destroyed; }

  const FrameSizes& Frame() const { return FFrame; }
  const std::vector<TWinSysButton>& Buttons() const { return FButtons; }
  const TWinSysButton* HotObject() const { return FHotObject; }
  // What discovery decided for each child control, in the order it was looked at.
  const std::vector<TDiscoveredControl>& DiscoveredControls() const { return FDiscovered; }
  // Regions built so far (a new one only when the size changed).
  int RegionBuilds() const { return FRegionBuilds; }
  // The menu bar, the system menu and the menu messages.
  const TFormMenus& Menus() const { return *FMenus; }

private:
  // --- The window procedure and the states its units ask about (win_skin_form.cpp).
  LRESULT SkinWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT PassOn(UINT msg, WPARAM wParam, LPARAM lParam) {
    return FSubclass.PassOn(msg, wParam, lParam);
  }
  // Started and not being destroyed: running, or taking up a changed skin.
  bool Working() const { return FState == TFormLife::Running || FState == TFormLife::ChangingSkin; }
  bool Going() const { return FState == TFormLife::Destroying || FState == TFormLife::Destroyed; }
  // The frame is the skin's: the skin allows it now and the window is not a plain child window.
  bool SkinsFrame() const override;
  // ... and it is drawn now: the skin has started and the window is not a maximized MDI child
  // (whose frame the system keeps outside the MDI client).
  bool DrawsFrame() const override;

  // --- The window skin's own life (win_skin_form.cpp).
  TMessageAnswer LifeMessage(fw::TMessage& message);
  void StartSkin();
  void StartMdiChild();
  void SkinChanged();
  TMessageAnswer WindowDestroyed(fw::TMessage& message);
  TMessageAnswer SkinnedAsked(fw::TMessage& message);

  // --- The controls' upkeep (form_controls.cpp).
  TMessageAnswer ControlsMessage(fw::TMessage& message);
  // Gives each control that discovery decided a skin for the skin of its kind.
  void AttachControlSkins(const std::vector<TDiscoveredControl>& found);
  void AttachControlSkin(const TDiscoveredControl& found);
  // The control skinned by the last listed skin on `control` (a window that was made again)
  // gets a fresh scroll-bar skin of the same kind in place of that one.
  void ReskinScroll(HWND control);
  // `control` is still one of the hooked form's controls.
  bool OwnsControl(const fw::TControl* control) const;
  // A bare window's background and its statics' take the skin's face colour.
  TMessageAnswer EraseBareWindow(fw::TMessage& message);
  TMessageAnswer ColourBareControl(fw::TMessage& message);
  // A window that is not one of the framework's: its background comes from the skin too.
  bool IsBareWindow() const;
  HBRUSH ButtonFaceBrush();

  // --- The frame and its caption buttons: messages (form_frame_messages.cpp).
  TMessageAnswer FrameMessage(fw::TMessage& message);
  TMessageAnswer NcPaint(fw::TMessage& message);
  TMessageAnswer NcActivate(fw::TMessage& message);
  TMessageAnswer Activate(fw::TMessage& message);
  TMessageAnswer NcCalcSize(fw::TMessage& message);
  TMessageAnswer NcHitTest(fw::TMessage& message);
  TMessageAnswer NcMouse(fw::TMessage& message);
  TMessageAnswer NcRightButtonDown(fw::TMessage& message);
  TMessageAnswer Size(fw::TMessage& message);
  // WM_GETMINMAXINFO (the window state read again) and WM_SETICON (the icon's bitmap made
  // again): the window answers first, then the skin takes up what the answer changed.
  TMessageAnswer AnsweredThen(fw::TMessage& message, void (TWinSkinForm::*then)());
  // The window state follows the window.
  TMessageAnswer WindowPosChanged(fw::TMessage& message);
  TMessageAnswer SetText(fw::TMessage& message);
  TMessageAnswer SysCommand(fw::TMessage& message);
  TMessageAnswer HoverTimer(fw::TMessage& message);
  TMessageAnswer RedrawFrame(fw::TMessage& message);
  TMessageAnswer PaintFrameInto(fw::TMessage& message);
  TMessageAnswer FrameQuery(fw::TMessage& message);
  // A non-client mouse message over the caption buttons (the menus took those over the bar).
  TMessageAnswer CaptionMouse(const fw::TMessage& message);
  TMessageAnswer CaptionMouseMove(TWinSysButton* hit);
  TMessageAnswer CaptionPress(TWinSysButton* hit);
  TMessageAnswer CaptionRelease(TWinSysButton* hit, POINT screen);
  TMessageAnswer CaptionDoubleClick(const TWinSysButton* hit);
  // Follows the window state through the system commands, then lets the window act on them.
  LRESULT TrackSystemCommand(WPARAM wParam, LPARAM lParam);
  void SetHot(TWinSysButton* button, TButtonState state);
  // The hover timer runs while the skinned window is active (HoverTimer, HoverTick).
  void StartHoverTimer();
  void StopHoverTimer();
  void MouseLeave();
  void HoverTick();
  void ShowCaptionHint(POINT cursor);
  TWinSysButton* FindButton(POINT framePoint);
  void ButtonAction(TWinSysButton& button, POINT screen);
  // Pops up the window's system menu at a screen point; a second click within the double-click
  // time on a caption button closes the window instead.
  void ShowSystemMenu(POINT screen) override;
  void UpdateSystemMenuItems(HMENU menu) const;
  void ToggleMaximize();
  void ToggleMinimize();
  void Restore();

  // --- The frame: geometry and painting (form_frame.cpp).
  LRESULT CalcClientArea(WPARAM wParam, LPARAM lParam);
  LRESULT HitTest(WPARAM wParam, LPARAM lParam);
  // Paints the non-client area as laid out (PaintFrame lays it out first).
  void DrawNonClient(HDC dc);
  void PaintCaption(HDC dc, int width, int height, bool minimized);
  void DrawBorder(TBorderSide side, TRect rect, HDC dc);
  void DrawCaptionText(HDC dc, TRect caption);
  // The caption's text as it is drawn, with its margins of blanks.
  std::wstring CaptionText() const;
  // Window-icon buttons whose skin gives no image show the window's small icon.
  bool IsIconButton(const TWinSysButton& button) const;
  const TBitmap& ButtonImage(const TWinSysButton& button) const;
  void MakeIconBitmap();
  // The caption buttons still belong to the skin's current descriptors.
  bool ButtonsCurrent() const;
  // Decides the caption's layout for the window as it is now (its size, state, text and skin):
  // which caption buttons show, and where they and the text go. Hit testing and painting read it.
  void LayoutCaption();
  void DrawButtons(HDC dc);
  void DrawSysButton(TWinSysButton& button, TButtonState state);
  fw::Region BorderRegion(TBorderSide side, int width, int height, int x, int y, bool shaped);
  POINT WindowToFrame(POINT screen) const override;
  CaptionState CaptionStateNow();
  void ReadWindowState();
  // The state the window's style shows: the system sets WS_MAXIMIZE or WS_MINIMIZE before it
  // resizes the window, so this is already right while FWindowState still holds the old state.
  int StyleWindowState() const;
  bool MaximizedMdiChild() const;
  void SetSysMenuStyle(bool remove);
  TColor SkinColour(int index) const;
  const TDataSkinBorder& Border(TBorderSide side) const;

  // --- What the menus ask of the window skin (TMenuHost).
  bool FrameActive() const override { return FActive; }
  TRect MenuBarRect() const override;
  void RepaintFrame() override { PaintFrame(nullptr); }
  void FitMenuBar() override;
  LRESULT CallWindow(const fw::TMessage& message) override {
    return PassOn(message.Msg, message.WParam, message.LParam);
  }
  bool CaptionButtonAt(POINT framePoint) override { return FindButton(framePoint) != nullptr; }
  void CaptionHoverEnds() override { MouseLeave(); }

  // --- The MDI client of an MDI frame (mdi_client.cpp).
  LRESULT ClientWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT ClientDestroyed(WPARAM wParam, LPARAM lParam);
  LRESULT ClientCreatesChild(WPARAM wParam, LPARAM lParam);
  LRESULT ClientDestroysChild(WPARAM wParam, LPARAM lParam);
  LRESULT ClientArranges(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT ClientSetsMenu(WPARAM wParam, LPARAM lParam);
  LRESULT ClientRedrawsFrame();
  LRESULT ClientCalcSize(WPARAM wParam, LPARAM lParam);
  // The MDI frame's active child, and whether it is maximized.
  HWND ActiveMdiChild(bool* maximized = nullptr) const override;
  void SendToActiveChild(UINT command);
  // The MDI child buttons of the menu bar, into the bar's picture at `bar` (frame coordinates).
  void DrawMdiChildButtons(HDC dc, TRect bar);
  static bool InMenuBar(const TWinSysButton& b);
  // The left edge of the leftmost MDI child button shown (frame coordinates), -1 for none.
  int MdiChildButtonsLeft() const;

  TFormSkinSource FSource;
  TWindowSubclass FSubclass;
  TWindowSubclass FClientSubclass; // the MDI client of an MDI frame
  HWND FHandle = nullptr;
  fw::TForm* FForm = nullptr; // the hooked framework form; null for a bare window
  fw::TColor FSavedColor = 0;
  TFormLife FState = TFormLife::Hooked;
  DWORD FLastSysMenuClick = 0;
  DWORD FDoubleClickTime = ::GetDoubleClickTime();
  bool FSkinFrame = false;
  bool FFrameAllowed = false; // what the skin allows at hook time; FSkinFrame may be off meanwhile
  bool FActive = true;
  WindowKind FKind;
  HWND FClientWnd = nullptr; // the MDI client of an MDI frame
  int FWindowState = kStateNormal;
  std::uint32_t FStyle = 0;
  FrameSizes FFrame;
  int FMenuHeight = 0;
  RECT FClientRect{};
  RECT FStdFrame{};
  CaptionTextLayout FTextLayout; // the caption text, with and without its background margins
  std::vector<TWinSysButton> FButtons;
  std::vector<TDiscoveredControl> FDiscovered;
  std::vector<std::unique_ptr<TSkinControl>> FControls;
  TWinSysButton* FHotObject = nullptr;
  struct TBorderCache {
    TBitmap rendering;
    int width = -1, height = -1, frame = 0;
    const TDataSkinObject* source = nullptr;
  };
  std::array<TBorderCache, 4> FBorderCache; // by TBorderSide
  TBitmap FCaptionBuffer;                   // back buffer of the caption bar
  TBitmap FIconBitmap;                      // the window's small icon on magenta
  fw::Font FCaptionFont;
  fw::Brush FFaceBrush; // without a skin component to lend its brush
  bool FOwnsRegion = false;
  int FRegionWidth = 0, FRegionHeight = 0;
  int FRegionBuilds = 0;
  std::unique_ptr<TFormMenus> FMenus;
  TLiveness FLiveness; // tells the units whether this object outlived a modal loop
};

} // namespace skin
