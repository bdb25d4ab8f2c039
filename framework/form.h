// Top-level windows. A form is built in code or read from a description in the program's
// resources (see form_reader.h); it may run modally and then returns how it was closed.
#pragma once

#include "framework/control.h"
#include "framework/menus.h"

#include <map>

namespace fw {

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum TPosition { poDesigned, poDesktopCenter, poScreenCenter };

// How a modal form was closed.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// The program's icon: the icon resource kProgramIconName at the system's large or small icon
// size, or null in a program without one. Loaded once and shared (never destroyed).
inline constexpr const wchar_t* kProgramIconName = L"MAINICON";
HICON ProgramIcon(bool smallIcon);

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  std::wstring ClassName() const override { return L"TForm"; }

  const std::wstring& Caption() const { return text_; }
  void SetCaption(const std::wstring& caption) { SetText(caption); }

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style) { borderStyle_ = style; }
  int BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(int icons) { borderIcons_ = icons; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }

  int ClientWidth();
  int ClientHeight();
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  // The form's menu bar (not owned; the menu's owner frees it), or null.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);

  // Asks the form to close (WM_CLOSE); closing the application's main form ends the program.
  void Close();

  // Shows the form, disables the thread's other windows and serves messages until ModalResult
  // is set (by a button's ModalResult, Esc, Enter or closing); then hides the form.
  int ShowModal();
  int ModalResult = mrNone;
  // The form runs its modal loop.
  bool Modal() const { return inModalLoop_; }

  // Reads the form's description from the program's resources (an RCDATA entry), tells every
  // component it was loaded, then raises OnCreate.
  void InitFromResource(const std::wstring& resourceName);
  // The same from description text (UTF-8).
  void InitFromText(const std::string& text);

  // Handlers that descriptions name (OnClick = Button1Click) are looked up here.
  TNotifyEvent MethodAddress(const std::wstring& name) const;

  TNotifyEvent OnClose;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  // Gives the window the program's icon (caption, task bar, Alt+Tab) and tells its main menu
  // the window.
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Makes a method known to descriptions by name.
  void DefineMethod(const std::wstring& name, TNotifyEvent method);
  // Raises OnDestroy: forms that bind it call this first in their destructor, while the
  // handlers' object is still whole.
  void DoDestroy();

private:
  TControl* FindButton(bool defaultButton);

  TBorderStyle borderStyle_ = bsSizeable;
  int borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  int clientWidth_ = -1, clientHeight_ = -1;
  bool inModalLoop_ = false;
  bool destroyed_ = false;
  HWND savedFocus_ = nullptr;
  std::map<std::wstring, TNotifyEvent> methods_;
  TMainMenu* menu_ = nullptr;
};

} // namespace fw
