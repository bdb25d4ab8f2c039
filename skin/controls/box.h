// Containers that only take the skin's face colour. TSkinBox: our panels, tool bars and embedded
// forms get the face colour as their Color while skinned and their own back afterwards; nothing
// is painted. TSkinBoxH: a nested dialog page ("#32770" child) or a tool bar inside a system
// dialog is erased with the face colour, and the statics on it get the face brush.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

// A solid brush of the skin's face colour, made again when the colour changes.
class TFaceBrush {
public:
  HBRUSH Get(COLORREF colour);

private:
  fw::Brush FBrush;
  COLORREF FColour = 0;
};

class TSkinBox : public TSkinControl {
public:
  // Gives the colour back; the box stays listed (Deactivated) until its window skin frees it.
  void Deactivate() override;
  // The box paints nothing of its own.
  void AfterMessage(fw::TMessage& /*message*/) override {}
};

class TSkinBoxH : public TSkinControl {
public:
  TMessageAnswer BeforeMessage(fw::TMessage& message) override;

protected:
  // The face colour over the whole window.
  TMessageAnswer EraseBackground(fw::TMessage& message) override;

private:
  TFaceBrush FFaceBrush;
};

} // namespace skin
