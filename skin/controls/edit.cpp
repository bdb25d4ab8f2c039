#include "skin/controls/edit.h"

#include "framework/stdctrls.h"
#include "skin/common/window_class.h"
#include "skin/controls/control_table.h"
#include "skin/controls/up_down.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/core/skin_text.h"
#include "skin/skin_messages.h"

namespace skin {

namespace {

// A client area within this many pixels of the window's size has no border worth a ring.
constexpr int kThinBorder = 2;

} // namespace

HWND FindUpDownChild(HWND edit) {
  for (HWND child = ::GetTopWindow(edit); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const std::string name = AsciiLower(WindowClassName(child));
    if (name == "msctls_updown32" || name.find("spin") != std::string::npos ||
        name.find("updown") != std::string::npos)
      return child;
  }
  return nullptr;
}

void TSkinEdit::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_PAINT:
  case WM_NCPAINT: // the edit's own border would cover the ring until the next client paint
    RedrawSkin(message.Msg == WM_PAINT ? reinterpret_cast<HDC>(message.WParam) : nullptr);
    break;
  case WM_PRINTCLIENT:
    PrintBorder(reinterpret_cast<HDC>(message.WParam));
    break;
  case SM_CLIENTPAINTDC:
    if (message.LParam != kSkinMagic) break;
    if (message.WParam) {
      fw::TMessage paint{WM_PAINT, message.WParam, 0, 0};
      CallOldProc(paint);
    }
    message.Result = kSkinMagic;
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

void TSkinEdit::FindUpDown() {
  if (FUpDown || !FSkinData.Members.Contains(xcSpin)) return;
  HWND child = FindUpDownChild(FHandle);
  if (!child) return;                                         // looked for again at the next paint
  if (::SendMessageW(child, SM_ISSKINNED, 0, 0) == 1) return; // skinned already
  auto upDown = std::make_unique<TSkinUpDown>();
  upDown->SetInEdit(true); // drawn clear of the edit's border
  FUpDown = std::move(upDown);
  // The up-down's skin is this skin's own: it is not registered with the window skin.
  FUpDown->AttachWindow(child, FSkinData, nullptr);
}

void TSkinEdit::DrawSkin(HDC dc, TRect rect) {
  if (!FSkinData.Elements) return;
  FindUpDown();
  RECT client;
  ::GetClientRect(FHandle, &client);
  if (client.right >= rect.Width() || client.bottom >= rect.Height()) return;
  DrawShadowRing(dc, rect, 2);
}

void TSkinEdit::PrintBorder(HDC dc) {
  RECT window, client;
  if (!::GetWindowRect(FHandle, &window)) return;
  ::GetClientRect(FHandle, &client);
  const TRect rect{0, 0, window.right - window.left, window.bottom - window.top};
  if (client.right >= rect.Width() - kThinBorder || client.bottom >= rect.Height() - kThinBorder)
    return;
  const bool own = dc == nullptr;
  if (own) dc = ::GetWindowDC(FHandle);
  if (!dc) return;
  const RECT inner{1, 1, rect.Right - 1, rect.Bottom - 1};
  ::FrameRect(dc, &inner, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
  FrameColour(dc, rect, SkinColour(kButtonShadow));
  if (own) ::ReleaseDC(FHandle, dc);
}

const TControlSkinKind kEditKind{"Edit"_kind, MakeSkin<TSkinEdit>, false,
                                 ProbeIsA<"Edit", fw::TEdit>};

} // namespace skin
