// TSkinListView: list views. The list's column header gets a TSkinHeader of this skin's own,
// attached to the header window, which lives and goes with this skin. The scroll-bar overlays of
// a list view belong to the scroll-bar skin; this skin adds the header.
#pragma once

#include "skin/controls/header.h"

#include <memory>

namespace skin {

class TSkinListView : public TSkinControl {
public:
  std::wstring ClassName() const override { return L"TSkinListView"; }

  void AttachControl(fw::TWinControl& control, TWinSkinForm* skinForm,
                     const TControlSkinSource& skinData, bool setColor,
                     fw::TCanvas* canvas) override;
  void AttachWindow(HWND handle, const TControlSkinSource& skinData, TWinSkinForm* skinForm,
                    fw::TCanvas* canvas) override;
  void SkinChanged(const TControlSkinSource& skinData) override;
  const TSkinHeader* Header() const { return FHeader.get(); }

private:
  void AttachHeader();

  std::unique_ptr<TSkinHeader> FHeader;
};

} // namespace skin
