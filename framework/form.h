// Top-level windows. A form built in code sets its bounds and style before its window exists.
#pragma once

#include "framework/control.h"

namespace fw {

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);

  // Asks the form to close (WM_CLOSE); closing the application's main form ends the program.
  void Close();

  TNotifyEvent OnClose;

protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  std::wstring caption_;
};

} // namespace fw
