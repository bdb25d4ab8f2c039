// Drawing of menu entries from the skin: an entry's background (the popup's skinned background,
// or the menu colour), the skin's MenuItem frame (normal, separator, selected), the glyph (an
// image of the menu's image list, or a check mark), the caption with its accelerator and the
// right-aligned shortcut, in the skin's menu colours; a right-to-left entry is drawn as the mirror
// image. Framework items and entries of plain menu handles are drawn alike through one view of
// the entry.
#pragma once

#include "framework/handles.h"
#include "framework/menus.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_options.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace skin {

// One menu entry as the painter sees it.
struct TMenuEntryView {
  std::wstring caption;  // with its '&' accelerator; "-" for a separator
  std::wstring shortcut; // drawn right-aligned; empty for none
  bool enabled = true, checked = false, isDefault = false;
  bool rightToLeft = false; // the entry's menu reads from right to left
  int imageIndex = -1;
  HIMAGELIST images = nullptr;
  HMENU menu = nullptr; // the menu that shows the entry

  bool IsLine() const { return caption == L"-"; }
};

TMenuEntryView ViewOf(const fw::TMenuItem& item);
// An entry of a menu handle, by command (the text's part after a tab becomes the shortcut); it
// reads from right to left when its type says so (MFT_RIGHTORDER).
TMenuEntryView ViewOf(HMENU menu, UINT command);

class TMenuPainter {
public:
  TMenuPainter(const TSkinElements* elements, TSkinOptions options)
      : FElements(elements), FOptions(options) {}
  ~TMenuPainter();
  TMenuPainter(const TMenuPainter&) = delete;
  TMenuPainter& operator=(const TMenuPainter&) = delete;

  // Owner-drawn framework entries (the handlers the skin installs on items).
  void DrawMenuItem(const TMenuEntryView& entry, HDC dc, const RECT& rect, bool selected) const;
  // Entries of menu handles: separators get the item frame and an etched line.
  void DrawHandleItem(const TMenuEntryView& entry, HDC dc, const RECT& rect, bool selected) const;
  // Width added to the framework's own measurement of a popup menu entry.
  int PopupExtraWidth(bool hasImages) const;
  // Width added to the framework's own measurement of a drop-down entry of the menu bar.
  int MenuExtraWidth(bool hasImages) const;
  // The size of a menu-handle entry measured by its text.
  SIZE MeasureByText(HDC dc, const std::wstring& text, int systemHeight) const;

private:
  const TDataSkinObject* MenuItemElement() const {
    return FElements && FElements->MenuItem && !FElements->MenuItem->Bitmap.Empty()
               ? FElements->MenuItem.get()
               : nullptr;
  }
  COLORREF Colour(int index) const;
  void DrawPlainItem(const TMenuEntryView& entry, HDC dc, const RECT& rect, bool selected) const;
  // The composing bitmap (FCanvas) at this size, selected into the returned device context.
  HDC Canvas(int width, int height) const;
  // The composed entry onto the target.
  void PutCanvas(HDC dc, const RECT& rect) const;
  // The popup's background under the entry, or the menu colour, over the whole canvas.
  void FillBackground(TBitmap& canvas, HMENU menu, const RECT& itemRect) const;
  void DrawItemContent(const TMenuEntryView& entry, HDC dc, bool selected, RECT r) const;
  // The MenuItem element's frame over a whole entry of this size.
  void DrawItemFrame(HDC dc, const TDataSkinObject& e, int width, int height, int frame) const;

  struct TFrameCache {
    TBitmap rendering;
    const TDataSkinObject* source = nullptr;
    int width = 0, height = 0;
  };
  mutable TFrameCache frameCache_[2]; // normal, selected
  mutable TBitmap FCanvas;
  mutable fw::MemoryDC FCanvasDC;
  mutable HGDIOBJ FCanvasOld = nullptr;

  const TSkinElements* FElements;
  TSkinOptions FOptions;
};

} // namespace skin
