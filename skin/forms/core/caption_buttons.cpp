#include "skin/forms/core/caption_buttons.h"

#include <algorithm>
#include <optional>

namespace skin {

namespace {

struct Caps {
  bool maximize, minimize, help, systemMenu;
  explicit Caps(int caps)
      : maximize(caps & kCapMaximize), minimize(caps & kCapMinimize), help(caps & kCapHelp),
        systemMenu(caps & kCapSystemMenu) {}
};

// Visibility values that both tests read the same way; nothing for the others.
std::optional<bool> SharedTest(int v, const CaptionState& s) {
  const Caps c(s.caps);
  const bool maximized = s.windowState == kStateMaximized;
  switch (v) {
  case 0:
    return true;
  case 1:
    return maximized;
  case 2:
    return !maximized;
  case 3:
    return s.active;
  case 4:
    return !s.active;
  case 7:
    return !c.maximize;
  case 9:
    return !c.minimize;
  case 200:
    return s.borderKind == kBorderDialog && !s.isDialog;
  default:
    return std::nullopt;
  }
}

bool TestA(int v, int action, const CaptionState& s) {
  if (auto shared = SharedTest(v, s)) return *shared;
  const Caps c(s.caps);
  switch (v) {
  case 6:
  case 8:
    return (c.minimize || c.maximize) && c.systemMenu;
  case 10:
    return c.help && !c.minimize && !c.maximize;
  case 100:
    return s.mdiFrameWithMaximizedChild && s.hasMenuBar;
  default:
    break;
  }
  if (v >= 201 && v <= 999) return true;
  if (v >= 1000 && v <= 2000) return s.askWindow && s.askWindow(v, action) > 0;
  return false; // 5, 11..99, 101..199, and -1: a decoration the skin keeps hidden
}

bool TestB(int v, bool a, const CaptionState& s) {
  if (auto shared = SharedTest(v, s)) return *shared;
  const Caps c(s.caps);
  switch (v) {
  case 6:
  case 8:
    return c.minimize || c.maximize;
  case 10:
    return c.help;
  case 100:
    return a;
  default:
    return v >= 201 && v <= 2000; // -1 and the gaps: never
  }
}

int ButtonWidth(const TDataSkinSysButton& b) {
  return b.Bitmap.Width() / std::max(b.FrameCount, 1);
}

} // namespace

ButtonVisibility EvaluateButton(const TDataSkinSysButton& b, const CaptionState& s) {
  const Caps c(s.caps);
  const bool a = TestA(b.Visibility, b.Action, s);
  ButtonVisibility result{a && TestB(b.Visibility1, a, s), true};
  switch (b.Action) {
  case kActionClose:
    if (!c.systemMenu) result.visible = false;
    break;
  case kActionMaximize:
    result.enabled = c.maximize && c.systemMenu;
    break;
  case kActionMinimize:
    result.enabled = c.minimize && c.systemMenu;
    break;
  case kActionWindowIcon:
  case kActionIconMenu:
  case kActionSystemMenu:
    if (s.borderKind == kBorderDialog) result.visible = false;
    break;
  default:
    break;
  }
  return result;
}

TRect LayoutButton(const TDataSkinSysButton& b, int windowWidth, const TRect& textBounds,
                   const FrameSizes& frame, int menuHeight, int menuLeftWidth) {
  return LayoutButtonSized(b, ButtonWidth(b), b.Bitmap.Height(), windowWidth, textBounds, frame,
                           menuHeight, menuLeftWidth);
}

TRect LayoutButtonSized(const TDataSkinSysButton& b, int w, int h, int windowWidth,
                        const TRect& textBounds, const FrameSizes& frame, int menuHeight,
                        int menuLeftWidth) {
  int left = 0, top = 0;
  switch (b.Align) {
  case 0:
    left = b.XCoord;
    top = b.YCoord;
    break;
  case 1:
    left = windowWidth - b.XCoord;
    top = b.YCoord;
    break;
  case 2:
  case 8:
    left = textBounds.Left - w - b.XCoord;
    top = b.YCoord;
    break;
  case 3:
  case 9:
    left = textBounds.Right + b.XCoord;
    top = b.YCoord;
    break;
  case 100:
    left = windowWidth - b.XCoord - frame.right - menuLeftWidth;
    top = frame.top + (menuHeight - h) / 2;
    break;
  default:
    break;
  }
  return {left, top, left + w, top + h};
}

int CaptionFrame(const TDataSkinSysButton& b, bool frameActive, bool enabled) {
  return b.FrameCount < 4 || (frameActive && enabled) ? 1 : 4;
}

CaptionLayout LayoutCaption(const std::vector<CaptionButtonFacts>& buttons,
                            const CaptionState& state, CaptionTextInput text,
                            const TDataSkinTitle& title, int windowWidth, const FrameSizes& frame,
                            int menuHeight, int menuLeftWidth) {
  CaptionLayout layout;
  layout.buttons.reserve(buttons.size());
  text.rightGroupOffset = 0;
  for (const CaptionButtonFacts& b : buttons) {
    const ButtonVisibility v = EvaluateButton(*b.data, state);
    layout.buttons.push_back({v.visible, v.enabled, b.bounds});
    if (v.visible && b.data->Align == 1 && !b.data->Bitmap.Empty())
      text.rightGroupOffset = std::max(text.rightGroupOffset, b.data->XCoord);
  }
  layout.text = LayoutCaptionText(text, title);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const CaptionButtonFacts& b = buttons[i];
    CaptionButtonPlace& place = layout.buttons[i];
    if (!place.visible || !b.hasImage) continue;
    place.bounds = LayoutButtonSized(*b.data, b.width, b.height, windowWidth, layout.text.bounds,
                                     frame, menuHeight, menuLeftWidth);
  }
  return layout;
}

int StateFrame(const TDataSkinSysButton& b, TButtonState state, bool enabled) {
  constexpr int kNormalFrame = 1, kDisabledFrame = 4;
  if (!enabled) return b.FrameCount > 3 ? kDisabledFrame : kNormalFrame;
  if (b.Visibility == kVisibleInMenuBar && state == TButtonState::Hot) return kDisabledFrame;
  return static_cast<int>(state); // the frame of the state's number
}

ButtonCommand CommandOf(int action) {
  struct TActionCommand {
    int action;
    ButtonCommand command;
  };
  static constexpr TActionCommand kCommands[] = {
      {kActionClose, ButtonCommand::Close},
      {kActionMaximize, ButtonCommand::ToggleMaximize},
      {kActionMaximizeAlt, ButtonCommand::ToggleMaximize},
      {kActionMinimize, ButtonCommand::ToggleMinimize},
      {kActionMinimizeAlt, ButtonCommand::ToggleMinimize},
      {kActionWindowIcon, ButtonCommand::SystemMenu},
      {kActionIconMenu, ButtonCommand::SystemMenu},
      {kActionSystemMenu, ButtonCommand::SystemMenu},
      {kActionHelp, ButtonCommand::ContextHelp},
      {kActionChildMinimize, ButtonCommand::MinimizeChild},
      {kActionChildMinimizeAlt, ButtonCommand::MinimizeChild},
      {kActionChildRestore, ButtonCommand::RestoreChild},
      {kActionChildRestoreAlt, ButtonCommand::RestoreChild},
      {kActionChildClose, ButtonCommand::CloseChild},
      {kActionChildCloseAlt, ButtonCommand::CloseChild},
  };
  for (const TActionCommand& entry : kCommands)
    if (entry.action == action) return entry.command;
  return ButtonCommand::Application;
}

std::string HintText(int action) {
  switch (CommandOf(action)) {
  case ButtonCommand::Close:
  case ButtonCommand::CloseChild:
    return "Close";
  case ButtonCommand::ToggleMaximize:
    return "Maximize";
  case ButtonCommand::ToggleMinimize:
  case ButtonCommand::MinimizeChild:
    return "Minimize";
  case ButtonCommand::RestoreChild:
    return "Restore";
  default:
    return "";
  }
}

} // namespace skin
