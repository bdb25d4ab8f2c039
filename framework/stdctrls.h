// The standard Windows controls: push button, radio button, label, edit, memo, group box, drop-down
// list and list box. Each subclasses the system's control and publishes its properties.
#pragma once

#include "framework/control.h"

#include <string>
#include <vector>

namespace fw {

class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner);
  std::wstring ClassName() const override { return L"TButton"; }

  // Enter clicks the form's default button, Esc its cancel button.
  bool Default = false;
  bool Cancel = false;
  // A click sets the form's ModalResult to this when it is not mrNone.
  int ModalResult = 0;

  // Sets the form's modal result, then raises OnClick.
  void Click() override;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void CNCommand(WORD code) override;
};

class TRadioButton : public TWinControl {
public:
  explicit TRadioButton(TComponent* owner);
  std::wstring ClassName() const override { return L"TRadioButton"; }

  bool Checked() const;
  void SetChecked(bool checked);

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;

private:
  bool checked_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box; with AllowGrayed its clicks also pass through the grayed (indeterminate) state.
class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* owner);
  std::wstring ClassName() const override { return L"TCheckBox"; }

  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  bool AllowGrayed = false;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;

private:
  TCheckBoxState state_ = cbUnchecked;
};

// A text label: a static control that reports clicks.
class TLabel : public TWinControl {
public:
  explicit TLabel(TComponent* owner);
  std::wstring ClassName() const override { return L"TLabel"; }

  bool WordWrap = false;
  // Sizes itself to its text when the window is made (off for a label of fixed size).
  bool AutoSize = true;
  bool Transparent = false;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CNCommand(WORD code) override;
  HBRUSH CNCtlColor(HDC dc) override;
};

class TEdit : public TWinControl {
public:
  explicit TEdit(TComponent* owner);
  std::wstring ClassName() const override { return L"TEdit"; }

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
};

class TMemo : public TWinControl {
public:
  explicit TMemo(TComponent* owner);
  std::wstring ClassName() const override { return L"TMemo"; }

  std::vector<std::wstring> Lines() const;
  void SetLines(const std::vector<std::wstring>& lines);

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
};

class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* owner);
  std::wstring ClassName() const override { return L"TGroupBox"; }

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Items and a selection shared by the drop-down list and the list box.
class TCustomListControl : public TWinControl {
public:
  explicit TCustomListControl(TComponent* owner) : TWinControl(owner) {}

  std::vector<std::wstring> Items() const { return items_; }
  void SetItems(const std::vector<std::wstring>& items);
  void Clear() { SetItems({}); }
  void AddItem(const std::wstring& item);
  // -1: nothing selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

  TNotifyEvent OnChange;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void HandleCreated() override;
  void FillWindow();

  // Messages of the system control: add, reset, get/set selection.
  UINT addMessage_ = 0, resetMessage_ = 0, getSelMessage_ = 0, setSelMessage_ = 0;

private:
  std::vector<std::wstring> items_;
  int itemIndex_ = -1;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TCustomListControl {
public:
  explicit TComboBox(TComponent* owner);
  std::wstring ClassName() const override { return L"TComboBox"; }

  TComboBoxStyle Style = csDropDown;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void CNCommand(WORD code) override;
};

class TListBox : public TCustomListControl {
public:
  explicit TListBox(TComponent* owner);
  std::wstring ClassName() const override { return L"TListBox"; }

protected:
  void CreateParams(TCreateParams& params) override;
  void CNCommand(WORD code) override;
};

} // namespace fw
