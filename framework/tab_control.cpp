#include "framework/tab_control.h"

#include <commctrl.h>

namespace fw {

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  SetTabStop(true);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&icc);
}

void TTabControl::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TTabControl> d(list);
  d.Integer(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
  d.Boolean(
      L"CloseButtons", [](TTabControl& t) { return t.CloseButtons; },
      [](TTabControl& t, bool v) { t.CloseButtons = v; });
}

void TTabControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = WC_TABCONTROLW;
  params.Style |= TabStyle | WS_CLIPSIBLINGS;
}

void TTabControl::HandleCreated() {
  TWinControl::HandleCreated();
  FillWindow();
}

void TTabControl::FillWindow() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  ::SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < tabs_.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tabs_[i].data();
    ::SendMessageW(wnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (tabIndex_ >= 0) ::SendMessageW(wnd, TCM_SETCURSEL, tabIndex_, 0);
}

void TTabControl::SetTabs(const std::vector<std::wstring>& tabs) {
  tabs_ = tabs;
  FillWindow();
}

void TTabControl::DeleteTab(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
  tabs_.erase(tabs_.begin() + index);
  if (tabIndex_ >= static_cast<int>(tabs_.size())) tabIndex_ = static_cast<int>(tabs_.size()) - 1;
  if (HandleAllocated()) {
    ::SendMessageW(Handle(), TCM_DELETEITEM, index, 0);
    Invalidate();
  }
}

int TTabControl::TabIndex() const {
  auto* self = const_cast<TTabControl*>(this);
  return self->HandleAllocated()
             ? static_cast<int>(::SendMessageW(self->Handle(), TCM_GETCURSEL, 0, 0))
             : tabIndex_;
}

void TTabControl::SetTabIndex(int index) {
  tabIndex_ = index;
  if (HandleAllocated()) ::SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
}

} // namespace fw
