#include "framework/page_control.h"

#include <commctrl.h>

namespace fw {

TTabSheet::TTabSheet(TPageControl& pageControl, const std::wstring& caption)
    : TWinControl(&pageControl), pageControl_(&pageControl) {
  visible_ = false;
  SetColor(clBtnFace);
  SetText(caption);
  pageControl.AddPage(this);
}

void TTabSheet::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TTabSheet> d(list);
  d.String(L"Caption", &TTabSheet::Text, &TTabSheet::SetText);
}

void TTabSheet::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"fw.TTabSheet";
  params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

TPageControl::TPageControl(TComponent* owner) : TTabControl(owner) {
  // The pages are children of the tab control: it must not paint over them.
  TabStyle |= WS_CLIPCHILDREN;
}

void TPageControl::AddPage(TTabSheet* page) {
  pages_.push_back(page);
  page->SetParent(this);
  std::vector<std::wstring> captions;
  for (TTabSheet* each : pages_)
    captions.push_back(each->Text());
  SetTabs(captions);
  if (TabIndex() < 0) SetTabIndex(0);
  ShowActivePage();
}

TTabSheet* TPageControl::ActivePage() const {
  const int index = TabIndex();
  return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[index] : nullptr;
}

void TPageControl::SetActivePageIndex(int index) {
  SetTabIndex(index);
  ShowActivePage();
}

void TPageControl::DeleteTab(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  TTabSheet* page = pages_[static_cast<size_t>(index)];
  pages_.erase(pages_.begin() + index);
  TTabControl::DeleteTab(index);
  delete page;
  if (TabIndex() < 0 && !pages_.empty()) SetTabIndex(0);
  ShowActivePage();
}

void TPageControl::HandleCreated() {
  TTabControl::HandleCreated();
  ShowActivePage();
}

void TPageControl::ShowActivePage() {
  if (!HandleAllocated()) return;
  RECT display;
  ::GetClientRect(Handle(), &display);
  ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  TTabSheet* active = ActivePage();
  for (TTabSheet* page : pages_) {
    page->SetBounds(display.left, display.top, display.right - display.left,
                    display.bottom - display.top);
    if (page != active) page->SetVisible(false);
  }
  if (active) active->SetVisible(true);
}

LRESULT TPageControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TTabControl::WndProc(msg, wParam, lParam);
  if (msg == WM_SIZE) ShowActivePage();
  return result;
}

LRESULT TPageControl::CNNotify(NMHDR& header) {
  if (header.code == TCN_SELCHANGE) ShowActivePage();
  return TTabControl::CNNotify(header);
}

} // namespace fw
