#include "framework/form.h"

#include "framework/application.h"

namespace fw {

TForm::TForm(TComponent* owner) : TWinControl(owner) {}

TForm::~TForm() {
  if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

void TForm::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  if (HandleAllocated()) ::SetWindowTextW(Handle(), caption.c_str());
}

void TForm::Close() {
  if (HandleAllocated()) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Caption = caption_;
  params.Style |= WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.WinClassName = L"fw.TForm";
  params.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    if (OnClose) OnClose(this);
    Hide();
    if (Application && Application->MainForm == this) Application->Terminate();
    return 0;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

} // namespace fw
