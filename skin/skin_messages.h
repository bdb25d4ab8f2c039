// The skinning engine's private window messages: the numbers that window skins and control skins
// send each other, and that a program may send a skinned window. Both sides include this header
// and nothing else for them.
#pragma once

#include <windows.h>

namespace skin {

// Sent to a skinned window.
inline constexpr UINT SM_SKINCHANGED = 0x3401;    // the skin changed: take it up again
inline constexpr UINT SM_REDRAWFRAME = 0x3502;    // paint the frame now
inline constexpr UINT SM_STARTSKIN = 0x3503;      // posted after hooking: run the start sequence
inline constexpr UINT SM_SKINENABLE = 0x3506;     // one control: WParam > 0 skin on, else off
inline constexpr UINT SM_TABCLOSE = 0x3507;       // a tab's close button: WParam tab control
inline constexpr UINT SM_CAPTIONCOMMAND = 0x3514; // a caption button's own action was clicked
inline constexpr UINT SM_BUTTONVISIBLE = 0x3515;  // may a caption button show? Result > 0: yes
inline constexpr UINT SM_MDIREDRAW = 0x3516;      // to an MDI client: the frame redraws itself
inline constexpr UINT SM_RESKINSCROLL = 0x3517;   // replace a control's skin by a fresh one
inline constexpr UINT SM_MENUBARCLICK = 0x3518;   // open the menu-bar item under a point
inline constexpr UINT SM_ISSKINNED = 0x3523;      // answered 1 by every skinned window
inline constexpr UINT SM_OFFERCHILD = 0x3530;     // posted: match the child window in WParam
inline constexpr UINT SM_OFFERCONTROL = 0x3531;   // posted: skin the control whose window is WParam

// Messages that carry kSkinMagic in LParam.
inline constexpr UINT SM_CLIENTPAINTDC = 0xBC4A; // paint the client into the DC in WParam
inline constexpr UINT SM_PAINTFRAMEDC = 0xBC4B;  // paint the frame into the DC in WParam
inline constexpr UINT SM_FRAMEQUERY = 0xBC4D;    // Result kSkinMagic: the frame is the skin's
inline constexpr UINT SM_SKINNEDNOTICE = 0xBC4E; // posted to a window once it is skinned
inline constexpr LPARAM kSkinMagic = 16802;

// Notifications of the application framework that control skins look at (controls of other
// frameworks send them; ours send the window messages they stand for).
inline constexpr UINT CM_DIALOGKEY = 0xB005;
inline constexpr UINT CM_FOCUSCHANGED = 0xB007;
inline constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
inline constexpr UINT CM_EXIT = 0xB01B;
inline constexpr UINT CM_CHECKCHANGED = 0xB0D0; // a data-aware check box changed its value

} // namespace skin
