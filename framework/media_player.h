// The media player panel: a row of up to nine buttons (play, pause, stop, next, previous, step,
// back, record, eject) of which VisibleButtons are shown, side by side and equally wide. A click
// on a button (press and release on the same one) raises OnButtonClick; playing media is not
// part of it.
#pragma once

#include "framework/control.h"

#include <functional>
#include <string>

namespace fw {

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
inline constexpr int kMediaButtonCount = 9;
inline constexpr unsigned kAllMediaButtons = (1u << kMediaButtonCount) - 1;

class TMediaPlayer : public TWinControl {
public:
  explicit TMediaPlayer(TComponent* owner);
  std::wstring ClassName() const override { return L"TMediaPlayer"; }

  // Sets of buttons, bit i for button i.
  unsigned VisibleButtons = kAllMediaButtons;
  unsigned EnabledButtons = kAllMediaButtons;
  unsigned ColoredButtons = 0;

  // The button a press began on and that has not been released yet; -1 when none.
  int PressedButton() const { return pressed_; }
  // The visible button at x, or -1.
  int ButtonAt(int x) const;

  std::function<void(TObject* sender, TMPBtnType button)> OnButtonClick;

protected:
  void DefineProperties(TPropertyList& list) const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);

  int pressed_ = -1;
};

} // namespace fw
