// Colours and fonts of controls.
#pragma once

#include "framework/handles.h"
#include "framework/persistent.h"

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

// A colour: red in bits 0..7, green 8..15, blue 16..23; with the top bit set, the system colour
// whose index is the low byte.
using TColor = int;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clBtnFace = static_cast<int>(0x80000000u | COLOR_BTNFACE);
inline constexpr TColor clWindow = static_cast<int>(0x80000000u | COLOR_WINDOW);
inline constexpr TColor clWindowText = static_cast<int>(0x80000000u | COLOR_WINDOWTEXT);
inline constexpr TColor clBtnShadow = static_cast<int>(0x80000000u | COLOR_BTNSHADOW);

COLORREF ColorToRGB(TColor color);
// The value of an integer identifier as form descriptions write it: colours (clNavy, clBtnFace),
// character sets (GB2312_CHARSET) and cursors (crHandPoint).
bool IdentToInt(const std::wstring& ident, int& value);

// Cursors.
inline constexpr int crDefault = 0;
inline constexpr int crHandPoint = -21;
// The system cursor of a cursor value (null for crDefault: the window class's own).
HCURSOR CursorHandle(int cursor);

// Font styles, a set: the bits of fsBold, fsItalic, fsUnderline, fsStrikeOut.
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont : public TPersistent {
public:
  TFont();
  std::wstring ClassName() const override { return L"TFont"; }

  void Assign(const TFont& other);

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int height);
  // In points, from the height and the screen's pixels per inch.
  int Size() const;
  void SetSize(int points);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Style() const { return style_; }
  void SetStyle(int style);

  // The GDI font, made on first use after each change.
  HFONT Handle();

  // Raised after every change.
  std::function<void()> OnChange;

protected:
  void DefineProperties(TPropertyList& list) const override;

private:
  void Changed();

  std::wstring name_ = L"MS Sans Serif";
  int height_ = -11;
  int charset_ = DEFAULT_CHARSET;
  TColor color_ = clWindowText;
  int style_ = 0;
  Font handle_;
};

int ScreenPixelsPerInch();

// A surface to draw on: a memory device context of its own (for measuring text), or, while
// bound, another device context whose font, colours and modes it gives back at Unbind.
class TCanvas {
public:
  TCanvas() : own_(::CreateCompatibleDC(nullptr)) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas() { Unbind(); }

  HDC Handle() const { return bound_ ? bound_ : own_.get(); }
  bool Bound() const { return bound_ != nullptr; }
  // Draws on `dc` from now on; a canvas that is already bound is unbound first.
  void Bind(HDC dc) {
    Unbind();
    bound_ = dc;
    saved_ = ::SaveDC(dc);
  }
  void Unbind() {
    if (bound_ && saved_) ::RestoreDC(bound_, saved_);
    bound_ = nullptr;
    saved_ = 0;
  }

private:
  MemoryDC own_;
  HDC bound_ = nullptr;
  int saved_ = 0;
};

// Binds a canvas for one scope.
class TCanvasBinding {
public:
  TCanvasBinding(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Bind(dc); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;
  ~TCanvasBinding() { canvas_.Unbind(); }
  HDC Handle() const { return canvas_.Handle(); }

private:
  TCanvas& canvas_;
};

} // namespace fw
