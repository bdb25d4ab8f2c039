#include "framework/graphics.h"

#include <utility>

namespace fw {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return ::GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

bool IdentToInt(const std::wstring& ident, int& value) {
  static const std::pair<const wchar_t*, int> kIdents[] = {
      {L"clBlack", 0x000000},
      {L"clMaroon", 0x000080},
      {L"clGreen", 0x008000},
      {L"clOlive", 0x008080},
      {L"clNavy", clNavy},
      {L"clPurple", 0x800080},
      {L"clTeal", 0x808000},
      {L"clGray", 0x808080},
      {L"clSilver", 0xC0C0C0},
      {L"clRed", 0x0000FF},
      {L"clLime", 0x00FF00},
      {L"clYellow", 0x00FFFF},
      {L"clBlue", 0xFF0000},
      {L"clFuchsia", 0xFF00FF},
      {L"clAqua", 0xFFFF00},
      {L"clWhite", 0xFFFFFF},
      {L"clBtnFace", clBtnFace},
      {L"clWindow", clWindow},
      {L"clWindowText", clWindowText},
      {L"ANSI_CHARSET", ANSI_CHARSET},
      {L"DEFAULT_CHARSET", DEFAULT_CHARSET},
      {L"GB2312_CHARSET", GB2312_CHARSET},
      {L"crDefault", crDefault},
      {L"crHandPoint", crHandPoint},
  };
  for (auto& [name, known] : kIdents)
    if (ident == name) {
      value = known;
      return true;
    }
  return false;
}

HCURSOR CursorHandle(int cursor) {
  switch (cursor) {
  case crHandPoint:
    return ::LoadCursorW(nullptr, IDC_HAND);
  default:
    return nullptr;
  }
}

int ScreenPixelsPerInch() {
  WindowDC dc(nullptr);
  return dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
}

TFont::TFont() = default;

void TFont::Assign(const TFont& other) {
  name_ = other.name_;
  height_ = other.height_;
  charset_ = other.charset_;
  color_ = other.color_;
  style_ = other.style_;
  Changed();
}

void TFont::SetName(const std::wstring& name) {
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}

int TFont::Size() const {
  return -::MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points) {
  SetHeight(-::MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetCharset(int charset) {
  charset_ = charset;
  Changed();
}

void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TFont::SetStyle(int style) {
  style_ = style;
  Changed();
}

void TFont::Changed() {
  handle_.reset();
  if (OnChange) OnChange();
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_.reset(::CreateFontIndirectW(&lf));
  }
  return handle_.get();
}

void TFont::DefineProperties(TPropertyList& list) const {
  TPropertyDefiner<TFont> d(list);
  d.String(L"Name", &TFont::Name, &TFont::SetName);
  d.Integer(L"Height", &TFont::Height, &TFont::SetHeight);
  d.Integer(L"Size", &TFont::Size, &TFont::SetSize);
  d.Integer(L"Charset", &TFont::Charset, &TFont::SetCharset);
  d.Integer(L"Color", &TFont::Color, &TFont::SetColor);
  d.Set(L"Style", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"}, &TFont::Style,
        &TFont::SetStyle);
}

} // namespace fw
