#include "skin/controls/list_view.h"
#include "skin/controls/core/scroll_bar_traits.h"

#include <commctrl.h>

namespace skin {

void TSkinListView::Attached() {
  TSkinScrollbar::Attached();
  AttachHeader();
}

void TSkinListView::AttachHeader() {
  HWND header = reinterpret_cast<HWND>(::SendMessageW(FHandle, LVM_GETHEADER, 0, 0));
  if (!header || FHeader) return;
  // Not registered with the window skin: the header skin is this skin's own.
  FHeader = std::make_unique<TSkinHeader>();
  FHeader->AttachWindow(header, FSkinData, nullptr);
}

void TSkinListView::Deactivate() {
  if (FHeader && FHeader->State() != TSkinLife::Destroyed) {
    FHeader->Deactivate();
    const HWND header = FHeader->Handle();
    FHeader.reset();
    ::InvalidateRect(header, nullptr, TRUE);
  }
  TSkinScrollbar::Deactivate();
}

void TSkinListView::SkinSwitched(bool on) {
  TSkinScrollbar::SkinSwitched(on);
  if (FHeader && FHeader->State() != TSkinLife::Destroyed) FHeader->SwitchSkin(on);
}

void TSkinListView::SkinChanged(const TControlSkinSource& skinData) {
  TSkinScrollbar::SkinChanged(skinData);
  if (FHeader && FHeader->State() != TSkinLife::Destroyed) FHeader->SkinChanged(skinData);
}

std::optional<TSkinControl::TRenewal> TSkinListView::Renewal() const {
  std::optional<TRenewal> renewal = TSkinScrollbar::Renewal();
  renewal->decision.mode = kListViewBars;
  return renewal;
}

} // namespace skin
