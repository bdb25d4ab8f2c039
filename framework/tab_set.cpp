#include "framework/tab_set.h"

#include <windowsx.h>

#include <algorithm>

namespace fw {

namespace {
constexpr int kTabPadding = 9;
constexpr int kScrollerRoom = 12;
constexpr int kScrollerWidth = 16;
} // namespace

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner), scroller_(new TUpDown(this)) {
  visible_ = true;
  scroller_->Orientation = udHorizontal;
  scroller_->SetVisible(false);
  scroller_->SetParent(this);
  scroller_->OnChanging = [this](TObject*) {
    FirstIndex =
        std::clamp(scroller_->Position(), 0, std::max(static_cast<int>(Tabs.size()) - 1, 0));
    Invalidate();
  };
}

void TTabSet::HandleCreated() {
  TWinControl::HandleCreated();
  UpdateScroller();
}

bool TTabSet::AllTabsFit(HDC dc) {
  HGDIOBJ old = ::SelectObject(dc, Font().Handle());
  int x = StartMargin;
  bool fit = true;
  for (const std::wstring& tab : Tabs) {
    SIZE s{};
    ::GetTextExtentPoint32W(dc, tab.c_str(), static_cast<int>(tab.size()), &s);
    x += s.cx + kTabPadding;
    fit = fit && x <= width_ - EndMargin;
  }
  ::SelectObject(dc, old);
  return fit;
}

void TTabSet::UpdateScroller() {
  if (!HandleAllocated()) return;
  HDC dc = ::GetDC(Handle());
  const bool show = FirstIndex > 0 || !AllTabsFit(dc);
  ::ReleaseDC(Handle(), dc);
  if (show) {
    scroller_->SetBounds(width_ - kScrollerWidth, 2, kScrollerWidth, std::max(height_ - 6, 8));
    scroller_->SetMin(0);
    scroller_->SetMax(std::max(static_cast<int>(Tabs.size()) - 1, 0));
    scroller_->SetPosition(std::max(FirstIndex, 0));
  }
  if (show != scroller_->Visible()) scroller_->SetVisible(show);
  Invalidate();
}

void TTabSet::DefineProperties(TPropertyList& list) const {
  TWinControl::DefineProperties(list);
  TPropertyDefiner<TTabSet> d(list);
  d.Strings(
      L"Tabs", [](TTabSet& t) { return t.Tabs; },
      [](TTabSet& t, const std::vector<std::wstring>& v) { t.Tabs = v; });
  d.Integer(
      L"TabIndex", [](TTabSet& t) { return t.TabIndex; },
      [](TTabSet& t, int v) { t.TabIndex = v; });
  d.Integer(
      L"FirstIndex", [](TTabSet& t) { return t.FirstIndex; },
      [](TTabSet& t, int v) { t.FirstIndex = v; });
  d.Integer(
      L"StartMargin", [](TTabSet& t) { return t.StartMargin; },
      [](TTabSet& t, int v) { t.StartMargin = v; });
  d.Integer(
      L"EndMargin", [](TTabSet& t) { return t.EndMargin; },
      [](TTabSet& t, int v) { t.EndMargin = v; });
}

void TTabSet::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = L"fw.TTabSet";
  params.Style |= WS_CLIPCHILDREN;
}

std::vector<std::pair<int, int>> TTabSet::TabExtents(HDC dc) {
  std::vector<std::pair<int, int>> extents;
  HGDIOBJ old = ::SelectObject(dc, Font().Handle());
  int x = StartMargin;
  const int room = scroller_->Visible() ? kScrollerRoom : 0;
  for (size_t i = static_cast<size_t>(std::max(FirstIndex, 0)); i < Tabs.size(); ++i) {
    SIZE s{};
    ::GetTextExtentPoint32W(dc, Tabs[i].c_str(), static_cast<int>(Tabs[i].size()), &s);
    if (width_ - EndMargin < x + s.cx + kTabPadding + room) break;
    extents.emplace_back(x, x + s.cx + kTabPadding);
    x += s.cx + kTabPadding;
  }
  ::SelectObject(dc, old);
  return extents;
}

void TTabSet::Paint(HDC dc) {
  RECT all{0, 0, width_, height_};
  ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = ::SelectObject(dc, Font().Handle());
  ::SetBkMode(dc, TRANSPARENT);
  const auto extents = TabExtents(dc);
  for (size_t k = 0; k < extents.size(); ++k) {
    const size_t i = k + static_cast<size_t>(std::max(FirstIndex, 0));
    RECT r{extents[k].first, 0, extents[k].second, height_ - 2};
    ::DrawEdge(dc, &r, static_cast<int>(i) == TabIndex ? EDGE_SUNKEN : EDGE_RAISED,
               BF_LEFT | BF_RIGHT | BF_BOTTOM);
    ::DrawTextW(dc, Tabs[i].c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ::SelectObject(dc, old);
}

LRESULT TTabSet::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_PAINT:
    return PaintWith(wParam, [this](HDC dc) { Paint(dc); });
  case WM_SIZE: {
    const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
    UpdateScroller();
    return result;
  }
  case WM_LBUTTONDOWN: {
    HDC dc = ::GetDC(Handle());
    const auto extents = TabExtents(dc);
    ::ReleaseDC(Handle(), dc);
    const int x = GET_X_LPARAM(lParam);
    for (size_t k = 0; k < extents.size(); ++k)
      if (x >= extents[k].first && x < extents[k].second) {
        TabIndex = static_cast<int>(k) + std::max(FirstIndex, 0);
        Invalidate();
        Click();
      }
    return 0;
  }
  default:
    return TWinControl::WndProc(msg, wParam, lParam);
  }
}

} // namespace fw
