#include "framework/form.h"

#include "framework/application.h"
#include "framework/exception.h"
#include "framework/form_reader.h"
#include "framework/stdctrls.h"

#include <functional>

namespace fw {

namespace {

// Dialog keys (Tab, arrows, Enter, Esc) work in every form, as in dialog boxes.
void InstallDialogKeys() {
  static bool installed = false;
  if (installed || !Application) return;
  installed = true;
  Application->AddMessageFilter([](MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (!dynamic_cast<TForm*>(TWinControl::FromHandle(root))) return false;
    return ::IsDialogMessageW(root, &msg) != FALSE;
  });
}

void ForEachControl(TWinControl& parent, const std::function<void(TControl&)>& visit) {
  for (TControl* c : parent.Controls()) {
    visit(*c);
    if (auto* w = dynamic_cast<TWinControl*>(c)) ForEachControl(*w, visit);
  }
}

struct DisabledWindows {
  DWORD thread;
  HWND keep;
  std::vector<HWND> list;
};

BOOL CALLBACK DisableWindow(HWND wnd, LPARAM data) {
  auto* d = reinterpret_cast<DisabledWindows*>(data);
  if (wnd != d->keep && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) {
    ::EnableWindow(wnd, FALSE);
    d->list.push_back(wnd);
  }
  return TRUE;
}

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  InstallDialogKeys();
}

TForm::~TForm() {
  if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

void TForm::DoDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) OnDestroy(this);
}

void TForm::DefineMethod(const std::wstring& name, TNotifyEvent method) {
  methods_[name] = std::move(method);
}

TNotifyEvent TForm::MethodAddress(const std::wstring& name) const {
  auto it = methods_.find(name);
  return it == methods_.end() ? TNotifyEvent() : it->second;
}

void TForm::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TForm> d(list);
  d.String(L"Caption", &TForm::Text, &TForm::SetText);
  d.Enumeration(
      L"BorderStyle", {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog"},
      [](TForm& f) { return static_cast<int>(f.BorderStyle()); },
      [](TForm& f, int v) { f.SetBorderStyle(static_cast<TBorderStyle>(v)); });
  d.Set(L"BorderIcons", {L"biSystemMenu", L"biMinimize", L"biMaximize"}, &TForm::BorderIcons,
        &TForm::SetBorderIcons);
  d.Enumeration(
      L"Position", {L"poDesigned", L"poDesktopCenter", L"poScreenCenter"},
      [](TForm& f) { return static_cast<int>(f.Position()); },
      [](TForm& f, int v) { f.SetPosition(static_cast<TPosition>(v)); });
  d.Integer(L"ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  d.Integer(L"ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  d.Event(L"OnCreate", &TForm::OnCreate);
  d.Event(L"OnDestroy", &TForm::OnDestroy);
  d.Event(L"OnClose", &TForm::OnClose);
}

int TForm::ClientWidth() {
  if (!HandleAllocated()) return clientWidth_ >= 0 ? clientWidth_ : width_;
  RECT r;
  ::GetClientRect(Handle(), &r);
  return r.right;
}

int TForm::ClientHeight() {
  if (!HandleAllocated()) return clientHeight_ >= 0 ? clientHeight_ : height_;
  RECT r;
  ::GetClientRect(Handle(), &r);
  return r.bottom;
}

void TForm::SetClientWidth(int width) {
  clientWidth_ = width;
  if (HandleAllocated()) SetBounds(left_, top_, width_ + width - ClientWidth(), height_);
}

void TForm::SetClientHeight(int height) {
  clientHeight_ = height;
  if (HandleAllocated()) SetBounds(left_, top_, width_, height_ + height - ClientHeight());
}

void TForm::Close() {
  if (HandleAllocated()) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
  params.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  DWORD sysMenu = (borderIcons_ & biSystemMenu) ? WS_SYSMENU : 0;
  switch (borderStyle_) {
  case bsNone:
    params.Style |= WS_POPUP;
    break;
  case bsSingle:
    params.Style |= WS_CAPTION | sysMenu | ((borderIcons_ & biMinimize) ? WS_MINIMIZEBOX : 0) |
                    ((borderIcons_ & biMaximize) ? WS_MAXIMIZEBOX : 0);
    break;
  case bsSizeable:
    params.Style |= WS_CAPTION | WS_THICKFRAME | sysMenu |
                    ((borderIcons_ & biMinimize) ? WS_MINIMIZEBOX : 0) |
                    ((borderIcons_ & biMaximize) ? WS_MAXIMIZEBOX : 0);
    break;
  case bsDialog:
    params.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME | sysMenu;
    params.ExStyle |= WS_EX_DLGMODALFRAME;
    break;
  }
  // A size given for the client area becomes the window's outer size for this border.
  if (clientWidth_ >= 0 || clientHeight_ >= 0) {
    RECT r{0, 0, clientWidth_ >= 0 ? clientWidth_ : 0, clientHeight_ >= 0 ? clientHeight_ : 0};
    ::AdjustWindowRectEx(&r, params.Style, menu_ != nullptr, params.ExStyle);
    if (clientWidth_ >= 0) params.Width = r.right - r.left;
    if (clientHeight_ >= 0) params.Height = r.bottom - r.top;
  }
  if (position_ != poDesigned) {
    params.X = (::GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
    params.Y = (::GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
  }
  // The menu comes with the window: a skin that takes the window at its activation finds it.
  params.Menu = menu_ ? menu_->Handle() : nullptr;
  params.WinClassName = L"fw.TForm";
  params.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  params.Icon = ProgramIcon(false);
  params.IconSmall = ProgramIcon(true);
}

void TForm::HandleCreated() {
  TWinControl::HandleCreated();
  // The class icon does not answer WM_GETICON, which the task bar and skinned captions ask.
  if (HICON large = ProgramIcon(false))
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  if (HICON little = ProgramIcon(true))
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
  if (menu_) menu_->Window = Handle();
}

HICON ProgramIcon(bool smallIcon) {
  const int width = ::GetSystemMetrics(smallIcon ? SM_CXSMICON : SM_CXICON);
  const int height = ::GetSystemMetrics(smallIcon ? SM_CYSMICON : SM_CYICON);
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), kProgramIconName, IMAGE_ICON,
                                         width, height, LR_SHARED));
}

TControl* TForm::FindButton(bool defaultButton) {
  TControl* found = nullptr;
  ForEachControl(*this, [&](TControl& c) {
    auto* button = dynamic_cast<TButton*>(&c);
    if (!found && button && (defaultButton ? button->Default : button->Cancel) &&
        button->Visible() && button->Enabled())
      found = button;
  });
  return found;
}

int TForm::ShowModal() {
  ModalResult = mrNone;
  HWND owner = ::GetActiveWindow();
  // Owned by the window it was opened from: it stays above it.
  if (owner && owner != Handle())
    ::SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  DisabledWindows disabled{::GetCurrentThreadId(), Handle(), {}};
  ::EnumThreadWindows(disabled.thread, DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  Show();
  ::SetActiveWindow(Handle());
  inModalLoop_ = true;
  while (ModalResult == mrNone && Application && !Application->Terminated())
    if (!Application->HandleMessage()) break;
  inModalLoop_ = false;
  for (HWND wnd : disabled.list)
    if (::IsWindow(wnd)) ::EnableWindow(wnd, TRUE);
  Hide();
  if (owner && ::IsWindow(owner)) ::SetActiveWindow(owner);
  if (ModalResult == mrNone) ModalResult = mrCancel;
  return ModalResult;
}

void TForm::InitFromResource(const std::wstring& resourceName) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, resourceName.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
  HGLOBAL data = info ? ::LoadResource(module, info) : nullptr;
  const void* bytes = data ? ::LockResource(data) : nullptr;
  if (!bytes) throw Exception(L"Resource " + resourceName + L" not found");
  InitFromText(std::string(static_cast<const char*>(bytes), ::SizeofResource(module, info)));
}

void TForm::InitFromText(const std::string& text) {
  std::vector<TComponent*> read = ReadFormObject(*this, ParseFormText(text));
  for (TComponent* component : read)
    component->Loaded();
  if (OnCreate) OnCreate(this);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu_ && menu_ != menu) menu_->Window = nullptr;
  menu_ = menu;
  if (!HandleAllocated()) return;
  if (menu_) menu_->Window = Handle();
  ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
  Perform(CM_MENUCHANGED);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT menuResult = 0;
  if (DispatchMenuMessage(msg, wParam, lParam, menuResult)) return menuResult;
  switch (msg) {
  case WM_CLOSE:
    if (inModalLoop_) {
      ModalResult = mrCancel;
      return 0;
    }
    if (OnClose) OnClose(this);
    Hide();
    if (Application && Application->MainForm == this) Application->Terminate();
    return 0;
  case DM_GETDEFID:
    if (TControl* button = FindButton(true))
      return MAKELRESULT(::GetDlgCtrlID(static_cast<TWinControl*>(button)->Handle()), DC_HASDEFID);
    return 0;
  case WM_COMMAND:
    // Esc in a form: the dialog manager asks for IDCANCEL.
    if (LOWORD(wParam) == IDCANCEL && !FromHandle(reinterpret_cast<HWND>(lParam))) {
      if (TControl* button = FindButton(false)) button->Click();
      return 0;
    }
    break;
  case WM_ACTIVATE:
    // The focus leaves with the form and comes back to the same control.
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = ::GetFocus();
      if (focus && ::IsChild(Handle(), focus)) savedFocus_ = focus;
    } else if (!HIWORD(wParam)) {
      HWND target = savedFocus_ && ::IsChild(Handle(), savedFocus_)
                        ? savedFocus_
                        : ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
      if (target) {
        ::SetFocus(target);
        return 0;
      }
    }
    break;
  default:
    break;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

} // namespace fw
