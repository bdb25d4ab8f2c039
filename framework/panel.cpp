#include "framework/panel.h"

namespace fw {

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  SetParentBackground(true);
}

void TPanel::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TPanel> d(list);
  d.String(L"Caption", &TPanel::Text, &TPanel::SetText);
}

void TPanel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"fw.TPanel";
  params.Style |= WS_CLIPCHILDREN;
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    return PaintWith(wParam, [this](HDC dc) {
      Paint(dc);
      PaintGraphicChildren(dc);
    });
  }
  if (msg == WM_SETTEXT) {
    const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
    Invalidate();
    return result;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

void TPanel::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(Handle(), &r);
  ::FillRect(dc, &r, ColorBrush());
  ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  const std::wstring caption = Text();
  if (caption.empty()) return;
  HGDIOBJ old = ::SelectObject(dc, TextFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ColorToRGB(Font().Color()));
  ::DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SelectObject(dc, old);
}

} // namespace fw
