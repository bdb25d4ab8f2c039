// TSkinCheckBox and TSkinRadioButton: the check mark or radio dot drawn from a frame of the
// skin's CheckButton or RadioButton strip (4 or 12 frames for check boxes, 4 or 8 for radio
// buttons). Our own controls are painted whole, box and caption, on the skin's face colour; a
// bare window (inside a system dialog) paints itself and gets the skin's box drawn over its own.
// The two are twins and share everything but the strip, the state they read and a 1-pixel gap.
#pragma once

#include "skin/controls/core/control_layout.h"
#include "skin/controls/skin_control.h"

namespace skin {

class TSkinCheckRadio : public TSkinControl {
public:
  void Attached() override;
  void AfterMessage(fw::TMessage& message) override;
  // Paints the whole control (our controls with a strip), or only the box over the control's
  // own painting; without a strip nothing, for good.
  void DrawSkin(HDC dc, TRect rect) override;

protected:
  TPrintRequests PrintRequests() const override { return TPrintRequests::ClientAndWindow; }
  // The parent's background behind the control when it shows its parent (FParentBack).
  TMessageAnswer EraseBackground(fw::TMessage& message) override;
  void DoPaint(HDC dc, TRect rect) override;
  void DrawOver(HDC dc, TRect rect) override;
  virtual bool IsRadio() const = 0;
  // The frame (1-based) of a strip of `frameCount` frames that shows the control now.
  virtual int CurrentFrame(int frameCount) const = 0;
  virtual void CheckSet(WPARAM /*check*/) {}

  bool FParentBack = false;

private:
  const TBitmap* Strip() const;
  int StripFrames() const;
  // Where the mark and the caption go in `rect`, and the mark's frame of the strip drawn there.
  CheckLayout MarkLayout(TRect rect) const;
  void DrawMark(HDC dc, TRect image);
  void DrawCaption(HDC dc, TRect textRect, unsigned flags);
};

class TSkinCheckBox : public TSkinCheckRadio {
public:
  void Attached() override;

protected:
  bool IsRadio() const override { return false; }
  int CurrentFrame(int frameCount) const override;
  void CheckSet(WPARAM check) override { FCheckState = static_cast<int>(check) + 1; }

private:
  int FCheckState = 0; // last BM_SETCHECK + 1; 0 before any
};

class TSkinRadioButton : public TSkinCheckRadio {
public:
protected:
  bool IsRadio() const override { return true; }
  int CurrentFrame(int frameCount) const override;
};

} // namespace skin
