// The tab control: the system's tab control with a list of tab captions, the selected tab, and
// an optional close mark on each tab that a skin may draw (Tag 7777 and CloseButtons set).
#pragma once

#include "framework/control.h"

#include <string>
#include <vector>

namespace fw {

class TTabControl : public TWinControl {
public:
  explicit TTabControl(TComponent* owner);
  std::wstring ClassName() const override { return L"TTabControl"; }

  const std::vector<std::wstring>& Tabs() const { return tabs_; }
  void SetTabs(const std::vector<std::wstring>& tabs);
  // Removes tab `index` (its page goes with it).
  virtual void DeleteTab(int index);
  int TabIndex() const;
  void SetTabIndex(int index);
  // Each tab shows a close mark when the control is skinned and its Tag is 7777.
  bool CloseButtons = false;
  // TCS_BOTTOM, TCS_VERTICAL, ...: set before the window is made.
  DWORD TabStyle = 0;

protected:
  void DefineProperties(TPropertyList& list) const override;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

private:
  void FillWindow();

  std::vector<std::wstring> tabs_;
  int tabIndex_ = -1;
};

} // namespace fw
