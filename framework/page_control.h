// The page control: a tab control whose tabs name its pages. Each page (a TTabSheet) is a child
// window of the tab control laid over its display area; only the selected tab's page is shown.
// Pages are made with the page control as their parent and listed in the order they were added.
#pragma once

#include "framework/tab_control.h"

#include <vector>

namespace fw {

class TPageControl;

class TTabSheet : public TWinControl {
public:
  // A page of `pageControl` (which also owns it), with `caption` on its tab.
  TTabSheet(TPageControl& pageControl, const std::wstring& caption);
  std::wstring ClassName() const override { return L"TTabSheet"; }

  TPageControl* PageControl() const { return pageControl_; }

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;

private:
  TPageControl* pageControl_;
};

class TPageControl : public TTabControl {
public:
  explicit TPageControl(TComponent* owner);
  std::wstring ClassName() const override { return L"TPageControl"; }

  const std::vector<TTabSheet*>& Pages() const { return pages_; }
  TTabSheet* ActivePage() const;
  void SetActivePageIndex(int index);
  // Removes tab `index` and frees its page.
  void DeleteTab(int index) override;

protected:
  void HandleCreated() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT CNNotify(NMHDR& header) override;

private:
  friend class TTabSheet;
  void AddPage(TTabSheet* page);
  // Lays every page over the display area and shows the selected one.
  void ShowActivePage();

  std::vector<TTabSheet*> pages_;
};

} // namespace fw
