// The list view in report style: the system's list view with columns (caption and width) and one
// line of text per item; its column header is the system's header window inside it.
#pragma once

#include "framework/control.h"

#include <string>
#include <vector>

namespace fw {

struct TListColumn {
  std::wstring Caption;
  int Width = 80;
};

class TListView : public TWinControl {
public:
  explicit TListView(TComponent* owner);
  std::wstring ClassName() const override { return L"TListView"; }

  // Set before the window is made.
  std::vector<TListColumn> Columns;
  std::vector<std::wstring> Items;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
};

} // namespace fw
