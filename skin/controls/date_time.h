// TSkinDateTime: date-time pickers with a skinned border and drop-down arrow. The picker paints
// itself; the skin draws a ButtonShadow and a white ring over its border and lays a small child
// window, TArrowButton, over the picker's own drop-down button. A click on the arrow is handed to
// the picker as a click on its button (its calendar opens), and the focus stays in the picker.
#pragma once

#include "skin/controls/child_window.h"
#include "skin/controls/companion_skin.h"

#include <memory>

namespace skin {

class TSkinDateTime;

class TArrowButton {
public:
  TArrowButton(HWND target, const TControlSkinSource& skin);
  ~TArrowButton();
  TArrowButton(const TArrowButton&) = delete;
  TArrowButton& operator=(const TArrowButton&) = delete;

  // Over the target's button: at its right edge (left edge when `left`), full client height.
  void Place(bool left);
  HWND Handle() const { return FWnd; }
  bool Hot() const { return FHot; }

private:
  TMessageAnswer WindowMessage(fw::TMessage& message);
  void SetHot(bool hot);
  void MouseDown(WPARAM keys, LPARAM point);
  void Paint();

  const TControlSkinSource& FSkin;
  std::unique_ptr<TSkinChildWindow> FWindow;
  int FArrowWidth = 0;
  HWND FTargetWnd = nullptr;
  HWND FWnd = nullptr;
  bool FHot = false;
};

class TSkinDateTime : public TCompanionSkin<TArrowButton> {
public:
  TSkinDateTime() : TCompanionSkin(TCompanionPlace::InControl) {}

  void Attached() override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

  TArrowButton* Arrow() const { return FCompanion.get(); }

protected:
  void MakeCompanion() override;
};

} // namespace skin
