#include "framework/stdctrls.h"

#include "framework/form.h"

#include <algorithm>

namespace fw {

namespace {

TForm* ParentForm(TControl* control) {
  for (TControl* c = control; c; c = c->Parent())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

} // namespace

// --- TButton

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  SetTabStop(true);
}

void TButton::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TButton> d(list);
  d.String(L"Caption", &TButton::Text, &TButton::SetText);
  d.Boolean(
      L"Default", [](TButton& b) { return b.Default; }, [](TButton& b, bool v) { b.Default = v; });
  d.Boolean(
      L"Cancel", [](TButton& b) { return b.Cancel; }, [](TButton& b, bool v) { b.Cancel = v; });
  d.Integer(
      L"ModalResult", [](TButton& b) { return b.ModalResult; },
      [](TButton& b, int v) { b.ModalResult = v; });
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"BUTTON";
  params.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (TForm* form = ParentForm(this)) form->ModalResult = ModalResult;
  TWinControl::Click();
}

void TButton::CNCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

// --- TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  parentColor_ = true;
  visible_ = true;
}

bool TRadioButton::Checked() const {
  return const_cast<TRadioButton*>(this)->HandleAllocated()
             ? ::SendMessageW(const_cast<TRadioButton*>(this)->Handle(), BM_GETCHECK, 0, 0) ==
                   BST_CHECKED
             : checked_;
}

void TRadioButton::SetChecked(bool checked) {
  checked_ = checked;
  if (HandleAllocated())
    ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TRadioButton> d(list);
  d.String(L"Caption", &TRadioButton::Text, &TRadioButton::SetText);
  d.Boolean(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

void TRadioButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"BUTTON";
  params.Style |= BS_AUTORADIOBUTTON;
}

void TRadioButton::HandleCreated() {
  TWinControl::HandleCreated();
  SetChecked(checked_);
}

void TRadioButton::CNCommand(WORD code) {
  if (code == BN_CLICKED) {
    checked_ = Checked();
    Click();
  }
}

// --- TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  parentColor_ = true;
  visible_ = true;
  SetTabStop(true);
}

TCheckBoxState TCheckBox::State() const {
  auto* self = const_cast<TCheckBox*>(this);
  if (!self->HandleAllocated()) return state_;
  switch (::SendMessageW(self->Handle(), BM_GETCHECK, 0, 0)) {
  case BST_CHECKED:
    return cbChecked;
  case BST_INDETERMINATE:
    return cbGrayed;
  default:
    return cbUnchecked;
  }
}

void TCheckBox::SetState(TCheckBoxState state) {
  state_ = state;
  static constexpr WPARAM kCheck[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
  if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, kCheck[state], 0);
}

void TCheckBox::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TCheckBox> d(list);
  d.String(L"Caption", &TCheckBox::Text, &TCheckBox::SetText);
  d.Boolean(L"Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  d.Boolean(
      L"AllowGrayed", [](TCheckBox& c) { return c.AllowGrayed; },
      [](TCheckBox& c, bool v) { c.AllowGrayed = v; });
  d.Enumeration(
      L"State", {L"cbUnchecked", L"cbChecked", L"cbGrayed"},
      [](TCheckBox& c) { return static_cast<int>(c.State()); },
      [](TCheckBox& c, int v) { c.SetState(static_cast<TCheckBoxState>(v)); });
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"BUTTON";
  params.Style |= AllowGrayed ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated() {
  TWinControl::HandleCreated();
  SetState(state_);
}

void TCheckBox::CNCommand(WORD code) {
  if (code == BN_CLICKED) {
    state_ = State();
    Click();
  }
}

// --- TLabel

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {
  parentColor_ = true;
  visible_ = true;
}

void TLabel::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TLabel> d(list);
  d.String(L"Caption", &TLabel::Text, &TLabel::SetText);
  d.Boolean(
      L"WordWrap", [](TLabel& l) { return l.WordWrap; }, [](TLabel& l, bool v) { l.WordWrap = v; });
  d.Boolean(
      L"AutoSize", [](TLabel& l) { return l.AutoSize; }, [](TLabel& l, bool v) { l.AutoSize = v; });
  d.Boolean(
      L"Transparent", [](TLabel& l) { return l.Transparent; },
      [](TLabel& l, bool v) { l.Transparent = v; });
}

void TLabel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"STATIC";
  // SS_NOTIFY: clicks reach the label, and the mouse over it gets its cursor.
  params.Style |= SS_NOTIFY | SS_NOPREFIX | (WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

void TLabel::HandleCreated() {
  TWinControl::HandleCreated();
  if (!AutoSize || WordWrap) return;
  // The stored bounds were measured with the designer's font; a larger substitute font only
  // enlarges a one-line label, so that its text (and its underline) is never cut.
  WindowDC dc(Handle());
  SelectGuard font(dc.get(), TextFont());
  std::wstring text = Text();
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  if (size.cx > width_ || size.cy > height_)
    SetBounds(left_, top_, std::max<int>(width_, size.cx), std::max<int>(height_, size.cy));
}

void TLabel::CNCommand(WORD code) {
  if (code == STN_CLICKED) Click();
}

HBRUSH TLabel::CNCtlColor(HDC dc) {
  HBRUSH brush = TWinControl::CNCtlColor(dc);
  if (!Transparent) return brush;
  ::SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

// --- TEdit and TMemo

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  color_ = clWindow;
  SetTabStop(true);
}

void TEdit::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TEdit> d(list);
  d.String(L"Text", &TEdit::Text, &TEdit::SetText);
}

void TEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"EDIT";
  params.Style |= ES_AUTOHSCROLL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  color_ = clWindow;
  SetTabStop(true);
}

std::vector<std::wstring> TMemo::Lines() const {
  std::vector<std::wstring> lines;
  std::wstring text = Text(), line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') continue;
    if (text[i] == L'\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void TMemo::SetLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i)
    text += (i ? L"\r\n" : L"") + lines[i];
  SetText(text);
}

void TMemo::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TMemo> d(list);
  d.Strings(L"Lines", &TMemo::Lines, &TMemo::SetLines);
}

void TMemo::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"EDIT";
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (ScrollBars == ssHorizontal || ScrollBars == ssBoth) params.Style |= WS_HSCROLL;
  if (ScrollBars == ssVertical || ScrollBars == ssBoth) params.Style |= WS_VSCROLL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

// --- TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  parentColor_ = true;
  visible_ = true;
}

void TGroupBox::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TGroupBox> d(list);
  d.String(L"Caption", &TGroupBox::Text, &TGroupBox::SetText);
}

void TGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = L"BUTTON";
  params.Style |= BS_GROUPBOX | WS_CLIPCHILDREN;
  // The dialog keys step into the controls it holds.
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The system's group box leaves its background unpainted; it is a panel in its own colour.
  if (msg == WM_ERASEBKGND) {
    RECT r;
    ::GetClientRect(Handle(), &r);
    ::FillRect(reinterpret_cast<HDC>(wParam), &r, CNCtlColor(reinterpret_cast<HDC>(wParam)));
    return 1;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

// --- Lists

void TCustomListControl::SetItems(const std::vector<std::wstring>& items) {
  items_ = items;
  itemIndex_ = -1;
  if (HandleAllocated()) FillWindow();
}

void TCustomListControl::AddItem(const std::wstring& item) {
  items_.push_back(item);
  if (HandleAllocated())
    ::SendMessageW(Handle(), addMessage_, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TCustomListControl::ItemIndex() const {
  auto* self = const_cast<TCustomListControl*>(this);
  if (!self->HandleAllocated()) return itemIndex_;
  return static_cast<int>(::SendMessageW(self->Handle(), getSelMessage_, 0, 0));
}

void TCustomListControl::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) ::SendMessageW(Handle(), setSelMessage_, static_cast<WPARAM>(index), 0);
}

void TCustomListControl::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TCustomListControl> d(list);
  d.Strings(L"Items", &TCustomListControl::Items, &TCustomListControl::SetItems);
  d.Integer(L"ItemIndex", &TCustomListControl::ItemIndex, &TCustomListControl::SetItemIndex);
  d.Event(L"OnChange", &TCustomListControl::OnChange);
}

void TCustomListControl::HandleCreated() {
  TWinControl::HandleCreated();
  FillWindow();
}

void TCustomListControl::FillWindow() {
  ::SendMessageW(Handle(), resetMessage_, 0, 0);
  for (const std::wstring& item : items_)
    ::SendMessageW(Handle(), addMessage_, 0, reinterpret_cast<LPARAM>(item.c_str()));
  ::SendMessageW(Handle(), setSelMessage_, static_cast<WPARAM>(itemIndex_), 0);
}

TComboBox::TComboBox(TComponent* owner) : TCustomListControl(owner) {
  visible_ = true;
  color_ = clWindow;
  SetTabStop(true);
  addMessage_ = CB_ADDSTRING;
  resetMessage_ = CB_RESETCONTENT;
  getSelMessage_ = CB_GETCURSEL;
  setSelMessage_ = CB_SETCURSEL;
}

void TComboBox::DefineProperties(TPropertyList& list) const {
  TCustomListControl::DefineProperties(list);
  TPropertyDefiner<TComboBox> d(list);
  d.String(L"Text", &TComboBox::Text, &TComboBox::SetText);
  d.Enumeration(
      L"Style", {L"csDropDown", L"csSimple", L"csDropDownList"},
      [](TComboBox& c) { return static_cast<int>(c.Style); },
      [](TComboBox& c, int v) { c.Style = static_cast<TComboBoxStyle>(v); });
}

void TComboBox::CreateParams(TCreateParams& params) {
  TCustomListControl::CreateParams(params);
  params.SystemClass = L"COMBOBOX";
  params.Style |= WS_VSCROLL | (Style == csDropDownList ? CBS_DROPDOWNLIST
                                : Style == csSimple     ? CBS_SIMPLE
                                                        : CBS_DROPDOWN | CBS_AUTOHSCROLL);
  // The window's height is that of the list when it drops down; the closed box keeps the height
  // its font gives it.
  if (Style != csSimple) params.Height = Height() + 200;
}

void TComboBox::CNCommand(WORD code) {
  if (code == CBN_SELCHANGE && OnChange) OnChange(this);
}

TListBox::TListBox(TComponent* owner) : TCustomListControl(owner) {
  visible_ = true;
  color_ = clWindow;
  SetTabStop(true);
  addMessage_ = LB_ADDSTRING;
  resetMessage_ = LB_RESETCONTENT;
  getSelMessage_ = LB_GETCURSEL;
  setSelMessage_ = LB_SETCURSEL;
}

void TListBox::CreateParams(TCreateParams& params) {
  TCustomListControl::CreateParams(params);
  params.SystemClass = L"LISTBOX";
  params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CNCommand(WORD code) {
  if (code == LBN_SELCHANGE && OnChange) OnChange(this);
}

} // namespace fw
