#include "framework/control.h"

#include "framework/font_fallback.h"

namespace fw {

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] {
    // A font set on the control itself no longer follows the parent's.
    if (!followingParent_) parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
  }
}

void TControl::SetColor(TColor color) {
  color_ = color;
  if (!followingParentColor_) parentColor_ = false;
}

void TControl::SetParentColor(bool parentColor) {
  parentColor_ = parentColor;
  if (parentColor_ && parent_) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  followingParentColor_ = true;
  SetColor(parent_->Color());
  followingParentColor_ = false;
}

void TControl::SetParentFont(bool parentFont) {
  parentFont_ = parentFont;
  if (parentFont_ && parent_) ParentFontChanged();
}

HFONT TControl::TextFont() {
  return FontForText(font_->Handle(), Text());
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  followingParent_ = true;
  font_->Assign(parent_->Font());
  followingParent_ = false;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::DefineProperties(TPropertyList& list) const {
  TComponent::DefineProperties(list);
  TPropertyDefiner<TControl> d(list);
  d.Integer(L"Left", &TControl::Left, &TControl::SetLeft);
  d.Integer(L"Top", &TControl::Top, &TControl::SetTop);
  d.Integer(L"Width", &TControl::Width, &TControl::SetWidth);
  d.Integer(L"Height", &TControl::Height, &TControl::SetHeight);
  d.Boolean(L"Visible", &TControl::Visible, &TControl::SetVisible);
  d.Boolean(L"Enabled", &TControl::Enabled, &TControl::SetEnabled);
  d.Integer(L"Color", &TControl::Color, &TControl::SetColor);
  d.Object(L"Font", [](TControl& c) -> TPersistent* { return &c.Font(); });
  d.Boolean(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
  d.Boolean(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  d.Integer(L"Cursor", &TControl::Cursor, &TControl::SetCursor);
  d.Event(L"OnClick", &TControl::OnClick);
}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner),
      WindowProc([this](TMessage& m) { m.Result = WndProc(m.Msg, m.WParam, m.LParam); }) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // The child objects belong to their owner and may outlive this parent.
  for (TControl* child : controls_)
    child->parent_ = nullptr;
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (control == mouseControl_) mouseControl_ = nullptr;
  if (control == captureControl_) captureControl_ = nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::DefineProperties(TPropertyList& list) const {
  TControl::DefineProperties(list);
  TPropertyDefiner<TWinControl> d(list);
  d.Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  d.Boolean(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
  d.Boolean(L"ParentBackground", &TWinControl::ParentBackground, &TWinControl::SetParentBackground);
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

void TWinControl::BringToFront() {
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::wstring WindowText(HWND wnd) {
  const int length = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = ::GetWindowTextW(wnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring TWinControl::Text() const {
  return handle_ ? WindowText(handle_) : text_;
}

void TWinControl::SetText(const std::wstring& text) {
  TControl::SetText(text);
  if (!handle_) return;
  ::SetWindowTextW(handle_, text.c_str());
  // A text in another script may need another face.
  HFONT font = TextFont();
  if (reinterpret_cast<HFONT>(::SendMessageW(handle_, WM_GETFONT, 0, 0)) != font)
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TWinControl::SetColor(TColor color) {
  TControl::SetColor(color);
  if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
  for (TControl* child : controls_)
    child->ParentColorChanged();
}

void TWinControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (handle_) ::EnableWindow(handle_, enabled);
}

void TWinControl::FontChanged() {
  if (handle_) {
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(TextFont()), TRUE);
    ::InvalidateRect(handle_, nullptr, TRUE);
  }
  for (TControl* child : controls_)
    child->ParentFontChanged();
}

HBRUSH TWinControl::CNCtlColor(HDC dc) {
  ::SetTextColor(dc, ColorToRGB(Font().Color()));
  ::SetBkColor(dc, ColorToRGB(color_));
  return ColorBrush();
}

HBRUSH TWinControl::ColorBrush() {
  if (!brush_ || brushColor_ != color_) {
    brush_.reset(::CreateSolidBrush(ColorToRGB(color_)));
    brushColor_ = color_;
  }
  return brush_.get();
}

} // namespace fw
