#include "skin/controls/status_bar.h"

#include "framework/bitmap.h"
#include "framework/status_bar.h"
#include "skin/controls/control_table.h"
#include "skin/data/core/skin_colours.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kTextInset = 2;
constexpr int kGripFrame = 5;
constexpr int kEdgeFrames = 3;
constexpr int kTextBufferLength = 1024;

// The one buffer every status bar skin paints in.
TPaintBuffer& SharedBuffer() {
  static TPaintBuffer buffer;
  return buffer;
}

TRect Inset(TRect r) {
  return {r.Left + kTextInset, r.Top, r.Right - kTextInset, r.Bottom};
}

std::wstring OrSpace(const std::wstring& text) {
  return text.empty() ? L" " : text;
}

} // namespace

const TDataSkinObject* TSkinStatusBar::Edges() const {
  const TDataSkinObject* e =
      FSkinData.Elements ? FSkinData.Elements->StatusBarEdges.get() : nullptr;
  return e && !e->Bitmap.Empty() ? e : nullptr;
}

bool TSkinStatusBar::Simple() const {
  if (auto* bar = dynamic_cast<fw::TStatusBar*>(FControl)) return bar->SimplePanel();
  return ::SendMessageW(FHandle, SB_ISSIMPLE, 0, 0) != 0;
}

std::wstring TSkinStatusBar::SimpleText() const {
  if (FControl) return fw::GetStrProp(*FControl, L"simpletext").value_or(L"");
  // A simple status window answers every part with its simple text.
  wchar_t text[kTextBufferLength] = {};
  if (LOWORD(::SendMessageW(FHandle, SB_GETTEXTLENGTHW, 0, 0)) < kTextBufferLength)
    ::SendMessageW(FHandle, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<TSkinStatusBar::Panel> TSkinStatusBar::ReadPanels() const {
  std::vector<Panel> panels;
  if (auto* bar = dynamic_cast<fw::TStatusBar*>(FControl)) {
    for (const fw::TStatusPanel& p : bar->Panels())
      panels.push_back({p.Text, static_cast<PanelAlignment>(p.Alignment),
                        static_cast<PanelBevel>(p.Bevel), p.Style == fw::psOwnerDraw,
                        p.RightToLeft});
    return panels;
  }
  const int count = static_cast<int>(::SendMessageW(FHandle, SB_GETPARTS, 0, 0));
  for (int i = 0; i < count; ++i) {
    Panel p;
    const LRESULT facts = ::SendMessageW(FHandle, SB_GETTEXTLENGTHW, i, 0);
    const unsigned type = HIWORD(facts);
    p.bevel = (type & SBT_NOBORDERS) ? PanelBevel::None
              : (type & SBT_POPOUT)  ? PanelBevel::Raised
                                     : PanelBevel::Lowered;
    p.ownerDraw = (type & SBT_OWNERDRAW) != 0;
    if (!p.ownerDraw && LOWORD(facts) < kTextBufferLength) {
      wchar_t text[kTextBufferLength] = {};
      ::SendMessageW(FHandle, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text));
      p.text = text;
    }
    panels.push_back(p);
  }
  return panels;
}

void TSkinStatusBar::DrawPanelFace(HDC dc, TRect rect, int frame) {
  if (const TDataSkinObject* edges = Edges()) {
    DrawElementFrame(dc, rect, kEdgeFrames, frame, *edges);
    return;
  }
  if (frame == StatusPanelFrame(PanelBevel::None)) return;
  RECT r = fw::ToRECT(rect);
  // Lowered: shadow at the top left, highlight at the bottom right; raised the other way.
  ::DrawEdge(dc, &r,
             frame == StatusPanelFrame(PanelBevel::Lowered) ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
             BF_RECT);
}

void TSkinStatusBar::DrawSkin(HDC dc, TRect rect) {
  const int width = rect.Width(), height = rect.Height();
  HDC buffer = SharedBuffer().Prepare(dc, width, height);
  if (!buffer) return;
  const TRect all{0, 0, width, height};
  FillFace(buffer, all);
  fw::SelectGuard font(buffer, ControlFont());
  COLORREF colour = FControl ? fw::ColorToRGB(FControl->Font().Color()) : SkinColour(kButtonText);
  if (const TDataSkinObject* edges = Edges()) colour = edges->NormalColour2 & 0xFFFFFF;
  const COLORREF oldColour = ::SetTextColor(buffer, colour);

  const std::vector<Panel> panels = ReadPanels();
  if (Simple() || panels.empty()) {
    DrawPanelFace(buffer, all, StatusPanelFrame(PanelBevel::Lowered));
    DrawAlignedText(buffer, Inset(all), RightToLeft() ? kDtRight : kDtLeft, true,
                    OrSpace(SimpleText()));
  } else {
    for (size_t i = 0; i < panels.size(); ++i) {
      RECT r;
      if (!::SendMessageW(FHandle, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
      const Panel& p = panels[i];
      const TRect face = StatusPanelFace(fw::ToTRect(r), i + 1 == panels.size(), width);
      DrawPanelFace(buffer, face, StatusPanelFrame(p.bevel));
      if (!p.ownerDraw)
        DrawAlignedText(buffer, Inset(face), StatusPanelTextFlags(p.alignment, p.rightToLeft), true,
                        OrSpace(p.text));
    }
  }
  const TDataSkinObject* extra =
      FSkinData.Elements ? FSkinData.Elements->ExtraImages.get() : nullptr;
  if ((::GetWindowLongW(FHandle, GWL_STYLE) & SBARS_SIZEGRIP) && extra && !extra->Bitmap.Empty())
    DrawFrame(buffer, SizeGripSquare(all), extra->Bitmap, true, std::max(extra->FrameCount, 1),
              kGripFrame);
  ::SetTextColor(buffer, oldColour);
  SharedBuffer().Present(dc, rect.Left, rect.Top, width, height);
  DrawOwnerPanels();
}

void TSkinStatusBar::DrawOwnerPanels() {
  auto* bar = dynamic_cast<fw::TStatusBar*>(FControl);
  if (!bar || !bar->OnDrawPanel) return;
  const std::vector<fw::TStatusPanel> panels = bar->Panels();
  for (size_t i = 0; i < panels.size(); ++i) {
    RECT r;
    if (!::SendMessageW(FHandle, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    ::InflateRect(&r, -kTextInset, -kTextInset);
    bar->OnDrawPanel(bar, panels[i], r);
  }
}

const TControlSkinKind kStatusBarKind{"StatusBar"_kind, MakeSkin<TSkinStatusBar>};

} // namespace skin
