#include "framework/list_view.h"

#include <commctrl.h>

namespace fw {

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  SetTabStop(true);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
}

void TListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = WC_LISTVIEWW;
  params.Style |= LVS_REPORT | WS_BORDER;
}

void TListView::HandleCreated() {
  TWinControl::HandleCreated();
  HWND wnd = Handle();
  for (size_t i = 0; i < Columns.size(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = Columns[i].Width;
    column.pszText = Columns[i].Caption.data();
    ::SendMessageW(wnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  for (size_t i = 0; i < Items.size(); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = Items[i].data();
    ::SendMessageW(wnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

} // namespace fw
