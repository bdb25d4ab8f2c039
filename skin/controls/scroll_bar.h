// TSkinScrollbar gives a control with window scroll bars (memo, list box, list view, one of ours
// or a bare window) one overlay (scroll_overlay.h) per bar and fills the size-box corner between
// them with the face colour; TSkinScrollbarH is its variant for bare windows that a combo box skin
// or the window skin creates.
#pragma once

#include "skin/controls/scroll_overlay.h"
#include "skin/controls/skin_control.h"

#include <memory>

namespace skin {

// Window scroll bars of a control (control mode) or of a bare window (window mode). A control
// with an integer property FixedColor (the fixed cells of a grid) shows it in the face colour
// while skinned and gets its own value back afterwards. A control whose window is made again
// (CM_RECREATEWND) asks the window skin for a fresh skin of this kind on the new window.
class TSkinScrollbar : public TSkinControl {
public:
  void Attached() override;
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
  // The control, or the control whose window was made again, gets a fresh skin of this kind.
  std::optional<TRenewal> Renewal() const override;

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
  void FixedColourToFace();
  // A control with a FixedColor property shows the face colour there, its own kept.
  void TakeFixedColour();
  void GiveBackFixedColour();
  void RecreateWindow(fw::TMessage& message);

  std::unique_ptr<TWScrollbar> FHorzBar, FVertBar;
  bool FBorder = false;
  bool FFixedColourSet = false;     // FixedColor shows the face colour
  fw::TColor FSavedFixedColour = 0; // the control's own FixedColor
  fw::TWinControl* FRecreatedControl = nullptr;
};

// The scroll bars of a bare window that a combo box skin makes for its list.
class TSkinScrollbarH : public TSkinScrollbar {
public:
};

} // namespace skin
