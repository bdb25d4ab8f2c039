// TSkinButton: push buttons painted from the skin's Buttons element (five faces: normal,
// pressed, disabled, hot, focused or default) with a centred caption. The skin takes the press
// itself: the button never sees the mouse go down and never captures it, so a press dragged off
// the button and released elsewhere clicks nothing; a release on the button clicks it (OnClick
// for our buttons, WM_COMMAND to the parent for a bare one). Space still goes through the
// button's own keyboard handling. The buttons with glyphs (bit, speed and menu buttons) derive
// from this class.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinButton : public TSkinControl {
public:
  TSkinButton() { FPaintMode = TPaintMode::Whole; }

  void Attached() override;
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;
  void AfterMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  TPrintRequests PrintRequests() const override { return TPrintRequests::ClientAndWindow; }
  void DoPaint(HDC dc, TRect rect) override;
  // The caption centred (or aligned) in `rect`, its first "||" a line break; the focus
  // rectangle around it when focused.
  void DrawButtonCaption(HDC dc, TRect rect, unsigned alignment, const std::wstring& text);
  ButtonFace CurrentFace() const;
  COLORREF CaptionColour(ButtonFace face) const;
  // The background (the parent's or the face colour) and face frame `face` of the Buttons
  // element over `rect`.
  void DrawFace(HDC dc, TRect rect, ButtonFace face);
  // The Buttons element, or null when the skin has none or its bitmap is empty.
  const TDataSkinButton* Element() const;

  bool FParentBack = false;
  // A button class that paints its own background (its name begins with "trz" or "tel"): the
  // face covers its whole window, and a press the skin takes raises no OnMouseDown.
  bool FFaceOverWindow = false;

private:
  void MouseDown(fw::TMessage& message);
  void MouseMove();
  void MouseUp();
  void MouseLeave();
  void SpaceKey(bool down);
  void Click();
};

} // namespace skin
