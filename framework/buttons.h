// Buttons with glyphs: the bit button (a push button with a glyph strip, a layout, a margin and
// a spacing), the menu button (a bit button that drops down a menu when clicked) and the speed
// button (a graphic control without a window that can latch down, alone or in a group, and can
// be flat). They publish Glyph, NumGlyphs, Layout, Margin and Spacing, and the speed button
// Down, GroupIndex, AllowAllUp and Flat, for whoever reads controls by property name.
#pragma once

#include "framework/core/bitmap.h"
#include "framework/stdctrls.h"

#include <string>

namespace fw {

// A bitmap held as a property (a button's Glyph).
class TGlyphBitmap : public TPersistent {
public:
  std::wstring ClassName() const override { return L"TBitmap"; }
  TBitmap Image;
};

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Glyph, frame count and layout shared by the bit button and the speed button. The glyph holds
// NumGlyphs frames side by side: up, disabled, pressed, down.
struct TGlyphSettings {
  TGlyphBitmap Glyph;
  int NumGlyphs = 1;
  TButtonLayout Layout = blGlyphLeft;
  int Margin = -1; // -1: centred
  int Spacing = 4; // -1: spread evenly
};

class TImageList;

class TBitBtn : public TButton {
public:
  explicit TBitBtn(TComponent* owner) : TButton(owner) {}
  std::wstring ClassName() const override { return L"TBitBtn"; }

  TGlyphSettings GlyphSettings;
  // Without a Glyph: image ImageIndex of Images (DisabledIndex, when not -1, while disabled).
  TImageList* Images = nullptr; // not owned
  int ImageIndex = -1;
  int DisabledIndex = -1;

protected:
  void DefineProperties(TPropertyList& list) const override;
};

// A bit button with a drop-down menu: a click opens DropDownMenu under the button; the chosen
// command goes to the button's parent as WM_COMMAND, then OnClick is raised.
class TMenuButton : public TBitBtn {
public:
  explicit TMenuButton(TComponent* owner) : TBitBtn(owner) {}
  std::wstring ClassName() const override { return L"TMenuButton"; }

  HMENU DropDownMenu = nullptr; // not owned
  void Click() override;
};

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* owner);
  std::wstring ClassName() const override { return L"TSpeedButton"; }

  TGlyphSettings GlyphSettings;
  // Buttons of one parent with the same GroupIndex (not 0) latch down one at a time.
  int GroupIndex = 0;
  // A latched button of a group may be released by clicking it again.
  bool AllowAllUp = false;
  // Shows its face only under the mouse or while down.
  bool Flat = false;

  bool Down() const { return down_; }
  // Latching one button of a group releases the others.
  void SetDown(bool down);

protected:
  void DefineProperties(TPropertyList& list) const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

private:
  void MouseUp(int x, int y);

  bool down_ = false;
  bool pressed_ = false; // a press began on the button and lasts
  bool hot_ = false;
};

} // namespace fw
