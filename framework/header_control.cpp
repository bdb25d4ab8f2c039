#include "framework/header_control.h"

#include <commctrl.h>

namespace fw {

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
}

void THeaderControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = WC_HEADERW;
  params.Style |= HDS_BUTTONS | HDS_HORZ;
}

void THeaderControl::HandleCreated() {
  TWinControl::HandleCreated();
  FillWindow();
}

void THeaderControl::SetSections(const std::vector<THeaderSection>& sections) {
  sections_ = sections;
  FillWindow();
}

void THeaderControl::FillWindow() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  while (::SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0) > 0)
    ::SendMessageW(wnd, HDM_DELETEITEM, 0, 0);
  for (size_t i = 0; i < sections_.size(); ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.cxy = sections_[i].Width;
    item.pszText = sections_[i].Text.data();
    ::SendMessageW(wnd, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

} // namespace fw
