// TSkinControl: the base of every control skin. A control skin sits beside a child control that
// already exists and works (one of our framework controls, or a bare window inside a system
// dialog), takes over its messages, lets the control do its own work and paints it again from
// the skin's bitmaps.
//
// Two ways in: a framework control's window method is replaced (control mode); a bare window's
// window procedure is replaced through a thunk (window mode). Either way every message passes
// SkinWndProc: BeforeMessage may answer it alone, otherwise the replaced procedure runs and
// AfterMessage follows. What a descendant does not handle goes to this base, then to the
// control's own procedure.
//
// Painting is routed here once. A skin that paints whole (PaintsWhole) answers WM_PAINT and the
// print requests it names with PaintNow, so the control's own painting never runs, and its
// DrawSkin composes DoPaint off screen and copies it out in one blit; WM_ERASEBKGND goes to
// EraseBackground. A skin that does not paint whole lets the control paint itself and draws over
// it after each WM_PAINT (DrawOver). A unit states only what it draws.
//
// Ownership: the window skin that the skin registers with owns it, in both modes, and frees it
// when the control's window is gone or the window is unskinned. The skin never outlives that
// window skin, and it lets go of the control at the control's WM_NCDESTROY, so no reference in
// either direction can dangle. The control skin sees its window skin only as a
// TControlSkinOwner.
#pragma once

#include "framework/control.h"
#include "framework/graphics.h"
#include "skin/common/liveness.h"
#include "skin/common/message_answer.h"
#include "skin/common/skin_paint.h"
#include "skin/common/window_subclass.h"
#include "skin/controls/core/control_kinds.h"
#include "skin/controls/core/control_layout.h"
#include "skin/controls/core/control_states.h"
#include "skin/controls/core/status_layout.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_options.h"

#include <commctrl.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace skin {

class TSkinControl;

// The window skin a control skin belongs to, as the control skin sees it.
class TControlSkinOwner {
public:
  // Lists `skin`, which the owner frees from then on; true when it was listed already.
  virtual bool AddControl(TSkinControl* skin) = 0;
  // The owner's window, where a control skin's requests (SM_RESKINSCROLL, SM_TABCLOSE) go.
  virtual HWND Handle() const = 0;

protected:
  ~TControlSkinOwner() = default;
};

// The skin a control skin paints from.
struct TControlSkinSource {
  const TSkinElements* Elements = nullptr; // null: no skin loaded
  TSkinOptions Options = DefaultSkinOptions();
  TSkinControlTypes Members = DefaultSkinControls(); // which kinds of control are skinned
};

// Life of a control skin.
enum class TSkinLife {
  Created = 0,
  Attached = 1,
  Deactivated = 2, // a box skin that stopped recolouring its control
  Destroyed = 6,   // the control's window is gone; the window skin frees the object
};

// The off-screen picture a paint is composed in before it reaches the screen in one copy. It
// keeps its bitmap between paints and only grows it.
class TPaintBuffer {
public:
  TPaintBuffer() = default;
  // Selects the device context's own bitmap back before its bitmap is deleted: a bitmap still
  // selected into a device context cannot be deleted on Windows and would leak.
  ~TPaintBuffer();
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;
  // A device context with a bitmap of at least width × height, compatible with `reference`.
  HDC Prepare(HDC reference, int width, int height);
  // Copies width × height from the buffer to (x, y) of `target`.
  void Present(HDC target, int x, int y, int width, int height) const;
  HDC Handle() const { return FDc.get(); }

private:
  fw::MemoryDC FDc;
  fw::Bitmap FBitmap;
  HGDIOBJ FOriginal = nullptr;
  int FWidth = 0, FHeight = 0;
};

class TSkinControl : public fw::TComponent {
public:
  TSkinControl();
  ~TSkinControl() override;
  TSkinControl(const TSkinControl&) = delete;
  TSkinControl& operator=(const TSkinControl&) = delete;
  std::wstring ClassName() const override { return L"TSkinControl"; }

  // Control mode: takes over `control`'s window method. A second call does nothing.
  // Either way in ends with the unit's Attached.
  virtual void AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                             const TControlSkinSource& skinData, bool setColour);
  // Window mode: takes over the window procedure of `handle`.
  void AttachWindow(HWND handle, const TControlSkinSource& skinData, TControlSkinOwner* skinForm);
  // Skinning off for good: the control gets its colour and ParentBackground back.
  virtual void Deactivate();
  // Before the control's own procedure: Handled answers the message (its Result) alone.
  virtual TMessageAnswer BeforeMessage(fw::TMessage& message);
  // After the control's own procedure handled the message.
  virtual void AfterMessage(fw::TMessage& message);
  // Paints the whole window (non-client area included) now, into `dc` or the window's DC.
  virtual void RedrawSkin(HDC dc);
  // Draws the skin of the whole window into `dc`; `rect` is the window rectangle at (0, 0): the
  // whole picture composed off screen (DoPaint) when the skin paints whole, else what it draws
  // over the control's own painting (DrawOver).
  virtual void DrawSkin(HDC dc, TRect rect);
  // The skin data changed: what the skin keeps of it made again (SkinTaken), colours again, and
  // a repaint.
  virtual void SkinChanged(const TControlSkinSource& skinData);
  // SM_SKINENABLE: switched off, the control is as it is without the skin (its own colours, no
  // window of the skin over it) until it is switched on again.
  void SwitchSkin(bool on);

  HWND Handle() const { return FHandle; }
  // The skin takes over `wnd` itself (not a control without a window that it paints on `wnd`).
  virtual bool SkinsWindow(HWND wnd) const { return FHandle == wnd; }
  // Whether the skin can take over a control without a window of its own, and taking it over.
  virtual bool TakesGraphicControls() const { return false; }
  virtual void AttachGraphic(fw::TGraphicControl& /*control*/, TControlSkinOwner* /*skinForm*/,
                             const TControlSkinSource& /*skinData*/) {}
  // A skin that asked its window skin for a fresh skin (its control's window was made again):
  // the control to skin and what it gets. None for a skin that never asks.
  struct TRenewal {
    fw::TWinControl* control;
    ControlDecision decision;
  };
  virtual std::optional<TRenewal> Renewal() const { return std::nullopt; }
  fw::TWinControl* Control() const { return FControl; }
  TSkinLife State() const { return FState; }
  bool SkinOn() const { return FSkinOn; }
  bool ControlMode() const { return FControl != nullptr; }

  // Every message of the skinned window passes here.
  void SkinWndProc(fw::TMessage& message);

protected:
  // How the skin takes part in painting: over the control's own painting, or all of it.
  enum class TPaintMode { Overlay, Whole };
  // Which print requests a skin that paints whole answers like WM_PAINT.
  enum class TPrintRequests { None, Client, ClientAndWindow };

  // The control is attached (ControlMode() tells which way): what the unit sets up on it.
  virtual void Attached() {}
  // The "paints whole" switch; by default the unit's FPaintMode.
  virtual bool PaintsWhole() const { return FPaintMode == TPaintMode::Whole; }
  virtual TPrintRequests PrintRequests() const { return TPrintRequests::Client; }
  // WM_ERASEBKGND: by default a skin that paints whole covers every pixel, so nothing is erased
  // (Result 1); otherwise the control erases its background itself.
  virtual TMessageAnswer EraseBackground(fw::TMessage& message);
  // The whole picture, composed off screen at (0, 0) of `rect`'s size.
  virtual void DoPaint(HDC /*dc*/, TRect /*rect*/) {}
  // What the skin draws over the control's own painting.
  virtual void DrawOver(HDC /*dc*/, TRect /*rect*/) {}
  // New skin data is in FSkinData: pictures and images made from the old data are dropped or
  // made again here, before the repaint.
  virtual void SkinTaken() {}

  // Switching the skin off gives the control its own colours back; switching it on takes the
  // skin's again. Skins with windows of their own over the control take them away and back.
  virtual void SkinSwitched(bool on);

  // Passes the message to what was replaced. False when this skin was freed meanwhile (the
  // control's procedure ran a modal loop, and the skin was switched off inside it): the caller
  // then touches nothing of the skin any more.
  bool CallOldProc(fw::TMessage& message);
  // Repaints the window at once.
  void Refresh();
  void SetParentBackground(bool on);
  void FillFace(HDC dc, TRect rect) const;
  void FillParentColor(HDC dc, TRect rect) const;
  static void FillColor(HDC dc, TRect rect, COLORREF colour);
  // A one-pixel frame in `colour` along the inside of `rect`.
  static void FrameColour(HDC dc, TRect rect, COLORREF colour);
  // The border ring of edits and pickers: ButtonShadow outside, `whiteRings` white frames inside.
  void DrawShadowRing(HDC dc, TRect rect, int whiteRings) const;
  COLORREF SkinColour(int index) const;
  // The focus rectangle around the caption FCaption laid out with `flags` in `rect`.
  void DrawCaptionFocus(HDC dc, unsigned flags, TRect rect);
  // Raises the framework control's OnMouseDown for a left-button message the skin swallows.
  void EmulateMouseDown(const fw::TMessage& message);
  // WM_PAINT (and the print messages) answered by the skin alone.
  void PaintNow(fw::TMessage& message);
  // WM_ERASEBKGND: the parent's background behind the control.
  void EraseWithParent(fw::TMessage& message);
  // Frame `frame` (1-based) of `frameCount` of an element stretched into `rect`. The renderings
  // are kept between paints until the size or the skin changes. Magenta is transparent when the
  // element says so, or when `transparent` does.
  void DrawElementFrame(HDC dc, TRect rect, int frameCount, int frame,
                        const TDataSkinObject& element, bool transparent = false);
  // Transparent text centred vertically in `rect`, grey when not enabled.
  void DrawAlignedText(HDC dc, TRect rect, unsigned alignment, bool enabled,
                       const std::wstring& text);
  // An image of `images` (when given, `imageIndex` is not -1 and it is narrower than `rect`)
  // followed by the text, the two placed together by `alignment` and centred vertically; the
  // text in the button shadow colour when the window is disabled.
  void DrawImageAndText(HDC dc, TRect rect, PanelAlignment alignment, const std::wstring& text,
                        int imageIndex, HIMAGELIST images);
  unsigned RightToLeftFlags(unsigned flags) const;
  bool RightToLeft() const;
  // Composes DoPaint of `rect` (at 0, 0) off screen and copies it to `dc` in one blit.
  void DrawBuffered(HDC dc, TRect rect);
  // The window text (window mode) or the control's Caption property.
  std::wstring ReadCaption() const;
  // The font the control draws its text with.
  HFONT ControlFont() const;

  TMouseState FMouseState;
  bool FWindowEnabled = false;
  bool FFocused = false;
  std::wstring FCaption;
  bool FSkinOn = true;
  TControlSkinSource FSkinData;
  HWND FHandle = nullptr;
  fw::TWndMethod FOldWindowProc; // control mode: the control's window method before us
  fw::TWinControl* FControl = nullptr;
  bool FSetColor = false;
  fw::TColor FSavedColor = 0;
  bool FSavedParentColour = false; // the control followed its parent's colour before
  bool FColoursTaken = false;      // the control shows the skin's face colour now
  bool FAttached = false;
  TSkinLife FState = TSkinLife::Created;
  TControlSkinOwner* FSkinForm = nullptr; // the window skin that owns this object
  TPaintMode FPaintMode = TPaintMode::Overlay;
  bool FParentBackgroundOff = false;
  TPaintBuffer FBuffer;

  // Lists the object with the window skin that owns it from then on.
  void Register(TControlSkinOwner* skinForm);
  // What every attach in control mode begins with: the control, its window and the skin data
  // kept, the object registered with its owner. A unit that hooks no messages stops after it.
  void BindControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                   const TControlSkinSource& skinData, bool setColour);
  // What every attach ends with: the object counts as attached from then on.
  void MarkAttached();
  // The control takes the skin's face colour (and ParentBackground off), its own kept.
  void TakeSkinColours();
  // The control gets its own colour and ParentBackground back.
  void GiveBackColours();

  // Tells a call that may run a modal loop whether this skin outlived it.
  TLiveness FLiveness;

private:
  // The control's window is going: give the window method or procedure back and forget it.
  void Release();
  TMessageAnswer WindowDestroyed(fw::TMessage& message);
  // WM_PAINT and the print requests: PaintNow when the skin paints whole and answers them.
  TMessageAnswer PaintRequest(fw::TMessage& message);

  std::unique_ptr<TWindowSubclass> FSubclass; // window mode
  struct TRendering {
    const TDataSkinObject* element;
    int frameCount, frame, width, height;
    bool transparent;
    TPreparedImage image;
  };
  std::vector<TRendering> FRenderings; // of the elements drawn at the current sizes
};

} // namespace skin
