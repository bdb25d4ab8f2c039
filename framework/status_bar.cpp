#include "framework/status_bar.h"

#include <commctrl.h>

namespace fw {

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  visible_ = true;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
}

void TStatusBar::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TStatusBar> d(list);
  d.Boolean(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
  d.String(
      L"SimpleText", [](TStatusBar& s) { return s.SimpleText(); },
      [](TStatusBar& s, const std::wstring& v) { s.SetSimpleText(v); });
  d.Boolean(
      L"SizeGrip", [](TStatusBar& s) { return s.SizeGrip; },
      [](TStatusBar& s, bool v) { s.SizeGrip = v; });
  d.Enumeration(
      L"BiDiMode", {L"bdLeftToRight", L"bdRightToLeft"},
      [](TStatusBar& s) { return static_cast<int>(s.BiDiMode); },
      [](TStatusBar& s, int v) { s.BiDiMode = static_cast<TBiDiMode>(v); });
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.SystemClass = STATUSCLASSNAMEW;
  // The bar keeps the bounds it is given instead of docking itself to its parent's bottom.
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | (SizeGrip ? SBARS_SIZEGRIP : 0);
}

void TStatusBar::HandleCreated() {
  TWinControl::HandleCreated();
  UpdateWindow();
}

void TStatusBar::SetPanels(const std::vector<TStatusPanel>& panels) {
  panels_ = panels;
  UpdateWindow();
}

void TStatusBar::SetSimplePanel(bool simple) {
  simplePanel_ = simple;
  UpdateWindow();
}

void TStatusBar::SetSimpleText(const std::wstring& text) {
  simpleText_ = text;
  UpdateWindow();
}

void TStatusBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  std::vector<int> rights;
  int right = 0;
  for (const TStatusPanel& panel : panels_)
    rights.push_back(right += panel.Width);
  ::SendMessageW(wnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  for (size_t i = 0; i < panels_.size(); ++i) {
    const TStatusPanel& p = panels_[i];
    const WPARAM bevel = p.Bevel == pbNone ? SBT_NOBORDERS : p.Bevel == pbRaised ? SBT_POPOUT : 0;
    const WPARAM style = p.Style == psOwnerDraw ? SBT_OWNERDRAW : 0;
    ::SendMessageW(wnd, SB_SETTEXTW, i | bevel | style, reinterpret_cast<LPARAM>(p.Text.c_str()));
  }
  ::SendMessageW(wnd, SB_SIMPLE, simplePanel_, 0);
  if (simplePanel_)
    ::SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
  ::InvalidateRect(wnd, nullptr, TRUE);
}

} // namespace fw
