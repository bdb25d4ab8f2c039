// The settings dialog's group "录制范围": what recordings take (the whole screen, every monitor
// together, a region or a window chosen at the start, or an area of a chosen size that follows the
// mouse). "所有屏幕" is offered only where there is more than one monitor.
#pragma once

#include "framework/form.h"
#include "framework/stdctrls.h"
#include "recorder/core/capture_area.h"

#include <array>

namespace recorder {
class TScreenCam;
}

namespace app {

class TAreaSettings {
public:
  // Finds the group's controls in the dialog, once it is loaded.
  void Bind(fw::TForm& dialog);
  // Shows the engine's choice.
  void Show(const recorder::TScreenCam& cam);
  // Writes the choice back (on OK). A size that is not a number keeps the one before.
  void Apply(recorder::TScreenCam& cam) const;

private:
  void EnableSize();
  recorder::TAreaKind Chosen() const;

  static constexpr std::array<recorder::TAreaKind, 5> kKinds = {
      recorder::TAreaKind::FullScreen, recorder::TAreaKind::AllScreens, recorder::TAreaKind::Region,
      recorder::TAreaKind::Window, recorder::TAreaKind::FollowMouse};
  std::array<fw::TRadioButton*, 5> radios_{};
  fw::TEdit* editWidth_ = nullptr;
  fw::TEdit* editHeight_ = nullptr;
};

} // namespace app
