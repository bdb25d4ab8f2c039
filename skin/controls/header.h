// TSkinHeader: header controls (above all the column header inside a list view) painted from the
// skin's Headerbar element: frame 1 for each item, frame 2 for the item under the mouse, frame 1
// over the free part right of the last item, and each item's image and text. The hot item
// follows the mouse and is given up when it leaves. Without a Headerbar image the header paints
// itself.
#pragma once

#include "skin/controls/skin_control.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace skin {

class TSkinHeader : public TSkinControl {
public:
  void Attached() override;
  void AfterMessage(fw::TMessage& message) override;
  int HotItem() const { return FHotItem; }

protected:
  // Without a Headerbar image the header paints itself.
  bool PaintsWhole() const override { return Element() != nullptr; }
  void DoPaint(HDC dc, TRect rect) override;

private:
  const TDataSkinObject* Element() const;
  void DrawHeaderItem(HDC dc, int index, TRect rect, HIMAGELIST images);
  void MouseMove(int x, int y);

  std::vector<TRect> FItemRects; // the items' rectangles, 3 pixels narrower on each side
  int FHotItem = -1;
};

} // namespace skin
