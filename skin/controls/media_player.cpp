#include "skin/controls/media_player.h"

#include "framework/bitmap.h"
#include "skin/common/skin_paint.h"
#include "skin/controls/control_table.h"
#include "skin/controls/core/media_layout.h"
#include "skin/data/core/skin_colours.h"
#include "skin/skin_messages.h"

#include <windowsx.h>

#include <string>

namespace skin {

namespace {

// The skin never looks at a control with this tag: the overlay is not a control to skin.
constexpr int kOverlayTag = 99;
constexpr int kButtonFaceFrames = 5;
constexpr fw::ColorRef kGlyphTransparent = 0x008080; // olive
const char* const kStateWords[3] = {"EN", "DI", "CL"};
const char* const kButtonWords[kMediaButtons] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};

bool Has(const std::optional<int>& set, int bit) {
  return set && (static_cast<unsigned>(*set) & (1u << bit));
}

} // namespace

// --- TWMediaPlayer

TWMediaPlayer::TWMediaPlayer(fw::TComponent* owner) : fw::TWinControl(owner) {
  for (int i = 0; i < kMediaButtons; ++i)
    for (int s = 0; s < 3; ++s) {
      const std::string name = std::string(kStateWords[s]) + "_" + kButtonWords[i];
      FButtons[i].Glyphs[s] = fw::LoadBitmapResource(
          ::GetModuleHandleW(nullptr), std::wstring(name.begin(), name.end()).c_str());
    }
}

void TWMediaPlayer::Attach(fw::TWinControl& player, TSkinMP* skinObject,
                           const TControlSkinSource& skinData) {
  FPlayer = &player;
  FSkinObject = skinObject;
  FSkinData = skinData;
}

bool TWMediaPlayer::PlayerEnabled() const {
  return FPlayer && FPlayer->Enabled();
}

void TWMediaPlayer::ReadButtons() {
  const auto visible = FPlayer ? fw::GetOrdProp(*FPlayer, L"VisibleButtons") : std::nullopt;
  const auto enabled = FPlayer ? fw::GetOrdProp(*FPlayer, L"EnabledButtons") : std::nullopt;
  const auto coloured = FPlayer ? fw::GetOrdProp(*FPlayer, L"ColoredButtons") : std::nullopt;
  FVisibleCount = 0;
  for (int i = 0; i < kMediaButtons; ++i) {
    FButtons[i].Visible = Has(visible, i);
    FButtons[i].Enabled = Has(enabled, i) && PlayerEnabled(); // a disabled player has none
    FButtons[i].Colored = Has(coloured, i);
    FVisibleCount += FButtons[i].Visible;
  }
  FButtonWidth = FVisibleCount ? Width() / FVisibleCount : 0;
}

int TWMediaPlayer::HitTest(int x) const {
  unsigned set = 0;
  for (int i = 0; i < kMediaButtons; ++i)
    set |= FButtons[i].Visible ? 1u << i : 0;
  return MediaButtonAt(set, FButtonWidth, x);
}

void TWMediaPlayer::Paint(HDC dc) {
  ReadButtons();
  TBitmap buffer(std::max(Width(), 1), std::max(Height(), 1));
  const COLORREF face = FSkinData.Elements ? FSkinData.Elements->Colour(kButtonFace) & 0xFFFFFF
                                           : ::GetSysColor(COLOR_BTNFACE);
  buffer.Fill(fw::PixelOf(face));
  if (FVisibleCount > 0) {
    fw::DrawInto(buffer, [&](HDC b) {
      int left = 0;
      for (int i = 0; i < kMediaButtons; ++i) {
        if (!FButtons[i].Visible) continue;
        DrawButton(b, i, {left, 0, left + FButtonWidth, Height()});
        left += FButtonWidth;
      }
    });
  }
  fw::DrawBitmap(dc, 0, 0, buffer);
}

void TWMediaPlayer::DrawButton(HDC dc, int index, TRect rect) {
  const TButtonRecord& button = FButtons[index];
  const TDataSkinButton* element = FSkinData.Elements ? FSkinData.Elements->Buttons.get() : nullptr;
  const int frame = MediaButtonFace(button.Enabled, FTracking && index == FPressedButton);
  if (element && !element->Bitmap.Empty())
    DrawNineSlice(
        dc, rect, element->Bitmap, false, element->Tile == 1, element->Trans == 1,
        element->FrameCount > 0 ? element->FrameCount : kButtonFaceFrames, frame,
        {element->LeftWidth, element->TopHeight, element->RightWidth, element->BottomHeight});
  const TBitmap& glyph = button.Glyphs[MediaGlyphState(button.Enabled, button.Colored)];
  if (glyph.Empty()) return;
  const int shift = frame == 2 ? 1 : 0;
  const int x = rect.Left + (rect.Width() - glyph.Width()) / 2 + shift;
  const int y = rect.Top + (rect.Height() - glyph.Height()) / 2 + shift;
  DrawTransparent(dc, {x, y, x + glyph.Width(), y + glyph.Height()}, glyph, kGlyphTransparent);
}

void TWMediaPlayer::MouseDown(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!PlayerEnabled()) return; // a disabled player hears no press, as its own window would not
  FTracking = true;
  // The player sees the press at the same point (the overlay has its bounds).
  if (FPlayer) FPlayer->Perform(msg, wParam, lParam);
  ::ReleaseCapture();
  ReadButtons();
  FHitButton = HitTest(GET_X_LPARAM(lParam));
  FPressedButton = FHitButton;
  Invalidate();
}

void TWMediaPlayer::MouseUp(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FTracking) return; // no press of ours to complete
  FTracking = false;
  FHitButton = HitTest(GET_X_LPARAM(lParam));
  // The player always hears the release, over whichever button: otherwise a press released
  // elsewhere would leave it pressed. Whether that makes a click is the player's own decision.
  if (FPlayer) FPlayer->Perform(msg, wParam, lParam);
  FPressedButton = FHitButton;
  Invalidate();
}

LRESULT TWMediaPlayer::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    Paint(dc);
    ::EndPaint(Handle(), &ps);
    return 0;
  }
  case WM_ERASEBKGND:
    return 1;
  case SM_ISSKINNED:
    return 1; // the skin's own window: never a control to skin
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseDown(WM_LBUTTONDOWN, wParam, lParam);
    return 0;
  case WM_LBUTTONUP:
    MouseUp(msg, wParam, lParam);
    return 0;
  default:
    return fw::TWinControl::WndProc(msg, wParam, lParam);
  }
}

// --- TSkinMP

void TSkinMP::MakeCompanion() {
  if (FCompanion || !FControl) return;
  FCompanion = std::make_unique<TWMediaPlayer>(nullptr);
  FCompanion->Attach(*FControl, this, FSkinData);
  FCompanion->Tag = kOverlayTag;
  FollowPlayer();
  FCompanion->SetParent(FControl->Parent());
  FCompanion->SetVisible(FControl->Visible());
  ::SetWindowPos(FCompanion->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSkinMP::FollowPlayer() {
  if (!FCompanion || !FControl) return;
  FCompanion->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
}

void TSkinMP::AfterMessage(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_WINDOWPOSCHANGED:
    FollowPlayer();
    break;
  case WM_SHOWWINDOW:
    if (FCompanion) FCompanion->SetVisible(message.WParam != 0);
    break;
  case WM_ENABLE:
  case CM_ENABLEDCHANGED:
    if (FCompanion) FCompanion->Invalidate(); // its buttons show the player's state
    break;
  default:
    TSkinControl::AfterMessage(message);
    break;
  }
}

const TControlSkinKind kMediaPlayerKind{"MediaPlayer"_kind, MakeSkin<TSkinMP>};

} // namespace skin
