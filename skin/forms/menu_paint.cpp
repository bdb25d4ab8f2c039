#include "skin/forms/menu_paint.h"

#include "framework/bitmap.h"
#include "framework/font_fallback.h"
#include "framework/handles.h"
#include "skin/common/skin_paint.h"
#include "skin/forms/core/menu_geometry.h"
#include "skin/forms/popup_menu.h"

#include <algorithm>

namespace skin {

namespace {

// Frames of the MenuItem element: 1 normal, 2 separator, 4 selected.
constexpr int kItemFrames = 5, kNormalFrame = 1, kSeparatorFrame = 2, kSelectedFrame = 4;
constexpr int kGlyphSize = 16;

TMargins MarginsOf(const TDataSkinObject& e) {
  return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

int ImageCount(HIMAGELIST images) {
  return images ? ImageList_GetImageCount(images) : 0;
}

// The system's check mark, in the button-text colour, keyed on its white background; centred in
// the glyph box one pixel towards the caption.
void DrawCheckMark(HDC dc, RECT glyph, const RECT& row, bool rightToLeft) {
  fw::Bitmap check(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760))); // OBM_CHECK
  BITMAP info{};
  if (!check || !::GetObjectW(check.get(), sizeof info, &info)) return;
  const int x = glyph.left + (glyph.right - glyph.left - info.bmWidth) / 2 + (rightToLeft ? -1 : 1);
  const int y = row.top + (row.bottom - row.top - info.bmHeight) / 2;
  fw::MemoryDC source(::CreateCompatibleDC(dc));
  fw::SelectGuard select(source.get(), check.get());
  const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
  // Black where the mark is, the target elsewhere; then the mark's colour ORed into the black.
  ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCAND);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::SetBkColor(dc, RGB(0, 0, 0));
  ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCPAINT);
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
}

// The checkered box behind a checked image.
void FillCheckered(HDC dc, const RECT& r) {
  const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  fw::Bitmap bits(::CreateBitmap(8, 8, 1, 1, pattern));
  fw::Brush brush(::CreatePatternBrush(bits.get()));
  const COLORREF text = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
  const COLORREF back = ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::FillRect(dc, &r, brush.get());
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, back);
}

// The entry's glyph in its box: its image (on a checkered, sunken box when checked), else a check
// mark when checked.
void DrawGlyph(const TMenuEntryView& entry, HDC dc, RECT glyph, const RECT& row) {
  if (entry.images && entry.imageIndex >= 0 && entry.imageIndex < ImageCount(entry.images)) {
    int imageWidth = 0, imageHeight = 0;
    ImageList_GetIconSize(entry.images, &imageWidth, &imageHeight);
    if (entry.checked) {
      FillCheckered(dc, glyph);
      glyph.top = row.top + (row.bottom - row.top - kGlyphSize) / 2;
      glyph.bottom = glyph.top + kGlyphSize;
      RECT edge{glyph.left - 1, glyph.top - 1, glyph.right + 1, glyph.bottom + 1};
      ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    } else {
      glyph.top = row.top + (row.bottom - row.top - imageHeight) / 2;
    }
    ImageList_Draw(entry.images, entry.imageIndex, dc, glyph.left, glyph.top,
                   entry.enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
  } else if (entry.checked) {
    DrawCheckMark(dc, glyph, row, entry.rightToLeft);
  }
}

} // namespace

TMenuEntryView ViewOf(const fw::TMenuItem& item) {
  TMenuEntryView view;
  view.caption = item.Caption();
  view.shortcut = fw::ShortCutToText(item.ShortCut());
  view.enabled = item.Enabled();
  view.checked = item.Checked();
  view.isDefault = item.Default();
  view.imageIndex = item.ImageIndex();
  if (const fw::TMenu* menu = item.GetParentMenu()) {
    view.images = menu->Images;
    view.rightToLeft = menu->IsRightToLeft();
  }
  view.menu = item.Parent() ? item.Parent()->Handle() : nullptr;
  if (!view.menu && item.GetParentMenu()) view.menu = item.GetParentMenu()->Handle();
  return view;
}

TMenuEntryView ViewOf(HMENU menu, UINT command) {
  TMenuEntryView view;
  view.menu = menu;
  view.caption = fw::MenuItemText(menu, command, false);
  if (view.caption.empty()) view.caption = L"-";
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  if (::GetMenuItemInfoW(menu, command, FALSE, &info)) {
    view.enabled = !(info.fState & MFS_DISABLED);
    view.checked = (info.fState & MFS_CHECKED) != 0;
    view.rightToLeft = (info.fType & MFT_RIGHTORDER) != 0;
  }
  return view;
}

COLORREF TMenuPainter::Colour(int index) const {
  return FElements ? static_cast<COLORREF>(FElements->Colour(index) & 0xFFFFFF)
                   : ::GetSysColor(COLOR_MENU);
}

int TMenuPainter::PopupExtraWidth(bool hasImages) const {
  const TDataSkinObject* e = MenuItemElement();
  return (e ? e->LeftWidth : 0) + 12 + (hasImages ? 0 : 23);
}

int TMenuPainter::MenuExtraWidth(bool hasImages) const {
  const TDataSkinObject* e = MenuItemElement();
  return (e ? e->LeftWidth : 0) + 10 + (hasImages ? 0 : 25);
}

SIZE TMenuPainter::MeasureByText(HDC dc, const std::wstring& text, int systemHeight) const {
  fw::SelectGuard font(dc, fw::FontForText(fw::MenuFont(), text));
  RECT r{0, 0, 0, 0};
  const std::wstring measured = text.empty() || text == L"&" ? L" " : text;
  ::DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  const TDataSkinObject* e = MenuItemElement();
  const MenuItemSize size =
      MeasureTextItem(r.right, text.empty(), e != nullptr, e ? e->LeftWidth : 0,
                      std::max<int>(systemHeight, r.bottom));
  return {size.width, size.height};
}

TMenuPainter::~TMenuPainter() {
  if (FCanvasDC) ::SelectObject(FCanvasDC.get(), FCanvasOld);
}

HDC TMenuPainter::Canvas(int width, int height) const {
  // Every entry is composed in one bitmap with its own device context, kept while the entries
  // keep their size.
  if (!FCanvasDC || FCanvas.Width() != width || FCanvas.Height() != height) {
    if (FCanvasDC)
      ::SelectObject(FCanvasDC.get(), FCanvasOld);
    else
      FCanvasDC.reset(::CreateCompatibleDC(nullptr));
    FCanvas = TBitmap(width, height, fw::TPixelFormat::pf32bit);
    FCanvasOld = ::SelectObject(FCanvasDC.get(), fw::BitmapHandle(FCanvas));
  }
  ::GdiFlush(); // the pixels are written directly next
  return FCanvasDC.get();
}

void TMenuPainter::PutCanvas(HDC dc, const RECT& rect) const {
  ::BitBlt(dc, rect.left, rect.top, FCanvas.Width(), FCanvas.Height(), FCanvasDC.get(), 0, 0,
           SRCCOPY);
}

void TMenuPainter::FillBackground(TBitmap& canvas, HMENU menu, const RECT& itemRect) const {
  const int w = canvas.Width(), h = canvas.Height();
  if (const TWinSkinPopMenu* popup = PopupShowing(menu)) {
    const TBitmap& background = popup->Background();
    if (!background.Empty()) {
      const POINT offset = popup->ItemOffset();
      const int x = itemRect.left + offset.x, y = itemRect.top + offset.y;
      fw::CopyPixels(canvas, 0, 0, background, {x, y, x + w, y + h});
      return;
    }
  }
  canvas.FillRect({0, 0, w, h}, fw::PixelOf(Colour(kMenu)));
}

void TMenuPainter::DrawMenuItem(const TMenuEntryView& entry, HDC dc, const RECT& rect,
                                bool selected) const {
  const TDataSkinObject* e = MenuItemElement();
  // Entries other than separators look the same whether they come from a handle or not.
  if (!e || !entry.IsLine()) return DrawHandleItem(entry, dc, rect, selected);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  Canvas(w, h);
  FillBackground(FCanvas, entry.menu, rect);
  // The separator frame, its middle stretched, bottom-aligned in a lower entry.
  const int imageHeight = e->Bitmap.Height();
  TBitmap line = RenderNineSlice(w, imageHeight, e->Bitmap, {e->LeftWidth, 0, e->RightWidth, 0},
                                 false, false, kItemFrames, kSeparatorFrame);
  fw::DrawTransparent(FCanvas, 0, std::min(0, h - imageHeight), w, imageHeight, line,
                      fw::kMagentaPixel);
  PutCanvas(dc, rect);
}

void TMenuPainter::DrawHandleItem(const TMenuEntryView& entry, HDC dc, const RECT& rect,
                                  bool selected) const {
  const TDataSkinObject* e = MenuItemElement();
  if (!e) return DrawPlainItem(entry, dc, rect, selected);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  HDC memory = Canvas(w, h);
  FillBackground(FCanvas, entry.menu, rect);
  {
    fw::SelectGuard font(memory, fw::MenuFont());
    DrawItemFrame(memory, *e, w, h, selected ? kSelectedFrame : kNormalFrame);
    DrawItemContent(entry, memory, selected, {0, 0, w, h});
  }
  PutCanvas(dc, rect);
}

void TMenuPainter::DrawItemFrame(HDC dc, const TDataSkinObject& e, int width, int height,
                                 int frame) const {
  // Entries of one menu share their size: the frame is rendered once per size and state.
  TFrameCache& cache = frameCache_[frame == kSelectedFrame ? 1 : 0];
  if (cache.source != &e || cache.width != width || cache.height != height) {
    cache.rendering = RenderNineSlice(width, height, e.Bitmap, MarginsOf(e), false, e.Tile != 0,
                                      kItemFrames, frame);
    cache.source = &e;
    cache.width = width;
    cache.height = height;
  }
  if (e.Trans != 0)
    DrawTransparent(dc, {0, 0, width, height}, cache.rendering, fw::kMagentaColour);
  else
    fw::DrawBitmap(dc, 0, 0, cache.rendering);
}

void TMenuPainter::DrawPlainItem(const TMenuEntryView& entry, HDC dc, const RECT& rect,
                                 bool selected) const {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  HDC memory = Canvas(w, h);
  FCanvas.FillRect({0, 0, w, h}, fw::PixelOf(Colour(selected ? kHilight : kMenu)));
  {
    fw::SelectGuard font(memory, fw::MenuFont());
    DrawItemContent(entry, memory, selected, {0, 0, w, h});
  }
  PutCanvas(dc, rect);
}

void TMenuPainter::DrawItemContent(const TMenuEntryView& entry, HDC dc, bool selected,
                                   RECT r) const {
  const TDataSkinObject* e = MenuItemElement();
  const int elementLeft = e ? e->LeftWidth : 0;
  int size = kGlyphSize;
  if (entry.images) {
    int imageHeight = 0;
    ImageList_GetIconSize(entry.images, &size, &imageHeight);
  }
  if (entry.checked) size = std::max(size, kGlyphSize);
  if (entry.IsLine()) size = 0;

  // A caption read from a menu handle carries its shortcut after a tab.
  std::wstring caption = entry.caption, shortcut = entry.shortcut;
  if (const size_t tab = caption.find(L'\t'); tab != std::wstring::npos) {
    if (shortcut.empty()) shortcut = caption.substr(tab + 1);
    caption.resize(tab);
  }
  fw::Font bold;
  if (entry.isDefault) {
    LOGFONTW logFont{};
    ::GetObjectW(fw::MenuFont(), sizeof logFont, &logFont);
    logFont.lfWeight = FW_BOLD;
    bold.reset(::CreateFontIndirectW(&logFont));
  }
  fw::SelectGuard selectFont(dc, fw::FontForText(bold ? bold.get() : fw::MenuFont(), caption));
  RECT measured{0, 0, 0, 0};
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  const MenuEntryColumns columns =
      EntryColumns(r.left, r.right, elementLeft, size, measured.right, entry.rightToLeft);

  if (!entry.IsLine())
    DrawGlyph(entry, dc, {columns.glyphLeft, r.top + 1, columns.glyphRight, r.top + 1 + size}, r);

  ::SetBkMode(dc, TRANSPARENT);
  if (entry.IsLine()) {
    RECT line{columns.textLeft, r.top + 4, columns.textRight, r.bottom};
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  COLORREF colour = Colour(selected ? kHilightText : kMenuText);
  if (!entry.enabled)
    colour = Colour(kButtonShadow) == Colour(kMenuText) ? ::GetSysColor(COLOR_BTNSHADOW)
                                                        : Colour(kButtonShadow);
  ::SetTextColor(dc, colour);
  const int height = measured.bottom - measured.top;
  const int top = r.top + (r.bottom - r.top - height) / 2;
  const UINT reading = columns.rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
  RECT text{columns.textLeft, top, columns.textRight, top + height};
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_EXPANDTABS | DT_SINGLELINE | reading);
  if (!shortcut.empty()) {
    RECT box{columns.shortcutLeft, top, columns.shortcutRight, top + height};
    ::DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &box,
                DT_SINGLELINE | DT_NOPREFIX | (columns.rightToLeft ? DT_LEFT : DT_RIGHT));
  }
}

} // namespace skin
