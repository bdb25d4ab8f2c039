// The frame window: four corner marks just outside a recorded rectangle, in a borderless,
// always-on-top window shaped to exactly those marks.
#pragma once

#include "framework/form.h"
#include "recorder/core/flash_geometry.h"

#include <windows.h>

namespace recorder {

class TFlashingWnd : public fw::TForm {
public:
  explicit TFlashingWnd(fw::TComponent* owner);

  // Moves, sizes and shapes the window around the rectangle (screen coordinates).
  void PlaceAround(int Left, int Top, int Width, int Height);
  // Paints the marks in one colour.
  void FillWith(COLORREF Colour);

  int FAreaLeft = 0, FAreaTop = 0, FAreaRight = 0, FAreaBottom = 0;

protected:
  void CreateParams(fw::TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace recorder
