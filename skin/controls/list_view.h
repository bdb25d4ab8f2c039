// TSkinListView: list views. A list view is a window with scroll bars, so it gets the overlay
// scroll bars of TSkinScrollbar; besides, its column header gets a TSkinHeader of this skin's own,
// attached to the header window, which lives and goes with this skin (a list view that is made
// again gets a fresh skin, and with it a fresh header skin).
#pragma once

#include "skin/controls/header.h"
#include "skin/controls/scroll_bar.h"

#include <memory>

namespace skin {

class TSkinListView : public TSkinScrollbar {
public:
  void Attached() override;
  void Deactivate() override;
  void SkinChanged(const TControlSkinSource& skinData) override;
  const TSkinHeader* Header() const { return FHeader.get(); }
  std::optional<TRenewal> Renewal() const override;

protected:
  void SkinSwitched(bool on) override;

private:
  void AttachHeader();

  std::unique_ptr<TSkinHeader> FHeader;
};

} // namespace skin
