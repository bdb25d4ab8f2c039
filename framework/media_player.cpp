#include "framework/media_player.h"

#include <windowsx.h>

#include <bit>

namespace fw {

namespace {

const wchar_t* const kButtonNames[kMediaButtonCount] = {L"btPlay", L"btPause",  L"btStop",
                                                        L"btNext", L"btPrev",   L"btStep",
                                                        L"btBack", L"btRecord", L"btEject"};
const wchar_t* const kButtonLabels[kMediaButtonCount] = {
    L"Play", L"Pause", L"Stop", L"Next", L"Prev", L"Step", L"Back", L"Rec", L"Eject"};

} // namespace

TMediaPlayer::TMediaPlayer(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
}

void TMediaPlayer::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TMediaPlayer> d(list);
  const std::vector<std::wstring> names(std::begin(kButtonNames), std::end(kButtonNames));
  d.Set(
      L"VisibleButtons", names, [](TMediaPlayer& p) { return static_cast<int>(p.VisibleButtons); },
      [](TMediaPlayer& p, int v) { p.VisibleButtons = static_cast<unsigned>(v); });
  d.Set(
      L"EnabledButtons", names, [](TMediaPlayer& p) { return static_cast<int>(p.EnabledButtons); },
      [](TMediaPlayer& p, int v) { p.EnabledButtons = static_cast<unsigned>(v); });
  d.Set(
      L"ColoredButtons", names, [](TMediaPlayer& p) { return static_cast<int>(p.ColoredButtons); },
      [](TMediaPlayer& p, int v) { p.ColoredButtons = static_cast<unsigned>(v); });
}

int TMediaPlayer::ButtonAt(int x) const {
  const int visible = std::popcount(VisibleButtons & kAllMediaButtons);
  if (visible == 0 || x < 0) return -1;
  const int width = width_ / visible;
  int left = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (!(VisibleButtons & (1u << i))) continue;
    if (x < left + width) return i;
    left += width;
  }
  return -1;
}

void TMediaPlayer::Paint(HDC dc) {
  RECT all{0, 0, width_, height_};
  ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
  const int visible = std::popcount(VisibleButtons & kAllMediaButtons);
  if (visible == 0) return;
  const int width = width_ / visible;
  ::SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = ::SelectObject(dc, Font().Handle());
  int left = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (!(VisibleButtons & (1u << i))) continue;
    RECT r{left, 0, left + width, height_};
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (i == pressed_ ? DFCS_PUSHED : 0));
    ::SetTextColor(dc,
                   ::GetSysColor((EnabledButtons & (1u << i)) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    ::DrawTextW(dc, kButtonLabels[i], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    left += width;
  }
  ::SelectObject(dc, old);
}

LRESULT TMediaPlayer::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_PAINT:
    return PaintWith(wParam, [this](HDC dc) { Paint(dc); });
  case WM_LBUTTONDOWN: {
    const int hit = ButtonAt(GET_X_LPARAM(lParam));
    if (hit < 0 || !(EnabledButtons & (1u << hit))) return 0;
    pressed_ = hit;
    ::SetCapture(Handle());
    Invalidate();
    return 0;
  }
  case WM_LBUTTONUP: {
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    const int pressed = pressed_;
    pressed_ = -1;
    Invalidate();
    if (pressed >= 0 && ButtonAt(GET_X_LPARAM(lParam)) == pressed && OnButtonClick)
      OnButtonClick(this, static_cast<TMPBtnType>(pressed));
    return 0;
  }
  default:
    return TWinControl::WndProc(msg, wParam, lParam);
  }
}

} // namespace fw
