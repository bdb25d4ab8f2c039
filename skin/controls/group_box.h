// TSkinGroupBox: group boxes of our forms painted whole by the skin: the face colour, a rounded
// frame in the skin's shadow colour through the middle of the caption's height, and the caption
// on the face colour 8 pixels in from the left (from the right for WS_EX_RIGHT). The statics
// inside (labels, and track bars asking for their background) get the face colour too. A bare
// group-box window paints itself and gets the skin's frame drawn over its own.
#pragma once

#include "skin/controls/box.h"

namespace skin {

class TSkinGroupBox : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinGroupBox"; }

  // How the group box is painted: the system's painting with the frame drawn over it (a bare
  // window), or all of it by the skin (one of our group boxes).
  enum class TPaintMode { Overlay = 0, Whole = 1 };

  void AttachControl(fw::TWinControl& control, TControlSkinOwner* skinForm,
                     const TControlSkinSource& skinData, bool setColor,
                     fw::TCanvas* canvas) override;
  bool BeforeMessage(fw::TMessage& message) override;
  void DrawSkin(HDC dc, TRect rect) override;
  void SkinChanged(const TControlSkinSource& skinData) override;

protected:
  void DoPaint(HDC dc, TRect rect) override;

private:
  TPaintMode PaintMode() const { return static_cast<TPaintMode>(FMode); }
  // Frame and caption; `whole`: on a fresh face, else over the system's painting.
  void DrawFrameAndCaption(HDC dc, TRect rect, bool whole);

  TFaceBrush FFaceBrush;
};

} // namespace skin
