// What a control skin shows, decided from plain facts: the face frame of a push button, the
// frame of a check box's or radio button's image strip, and the mouse state every control skin
// keeps. Frames are numbered from 1, as in the skin's image strips.
#pragma once

namespace skin {

// The mouse over a control skin: hot while the pointer is over it, pressed while a press that
// began on it lasts (left button or Space).
class TMouseState {
public:
  bool Hot() const { return FHot; }
  bool Pressed() const { return FPressed; }
  void SetHot(bool on) { FHot = on; }
  void SetPressed(bool on) { FPressed = on; }
  void Clear() { FHot = FPressed = false; }

private:
  bool FHot = false;
  bool FPressed = false;
};

// Frames of the Buttons element.
enum class ButtonFace { Normal = 1, Pressed = 2, Disabled = 3, Hot = 4, Focused = 5 };

struct ButtonFacts {
  TMouseState mouse;
  bool focused = false;
  bool isDefault = false;
  bool enabled = true;
};

// Pressed before hot before focused or default; disabled over everything.
ButtonFace PushButtonFace(const ButtonFacts& facts);

// What a check box shows. `stateName` is the lower-cased value name of the control's State
// property (empty when it has none); `lastSetCheck` the last BM_SETCHECK value + 1 of a control
// with a DataField property (0: none).
struct CheckBoxFacts {
  bool checked = false;       // BM_GETSTATE's checked bit
  bool indeterminate = false; // BM_GETSTATE's indeterminate bit
  bool disabled = false;
  bool hasStateProperty = false;
  const char* stateName = "";
  bool hasDataField = false;
  int lastSetCheck = 0;
  bool hasDataBinding = false;
  int frameCount = 4;
};

struct RadioFacts {
  bool checked = false; // BM_GETCHECK, or the Checked property of a framework control
  bool disabled = false;
  int frameCount = 4;
};

// The frame of the image strip, 1..frameCount. A strip of 12 (check box) or 8 (radio button)
// frames has its own places for the checked and disabled looks.
int CheckBoxFrame(const CheckBoxFacts& facts);
int RadioButtonFrame(const RadioFacts& facts);

} // namespace skin

namespace skin {

// A focused check box or radio button with a caption shows a focus rectangle around it, except
// on systems of major version 6 (Vista, 7), whose own controls show none until the keyboard is
// used.
inline bool CheckFocusRectShown(int windowsMajor, bool focused, bool captionEmpty) {
  return focused && !captionEmpty && windowsMajor != 6;
}

} // namespace skin
