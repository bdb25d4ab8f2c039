#include "skin/forms/core/menu_geometry.h"

#include "skin/forms/core/frame_geometry.h"

#include <algorithm>

namespace skin {

namespace {

// The window commands (SC_SIZE .. SC_RESTORE) a skinned system menu may choose.
constexpr std::uint32_t kScSize = 0xF000, kScMove = 0xF010, kScMinimize = 0xF020,
                        kScMaximize = 0xF030, kScNextWindow = 0xF040, kScPrevWindow = 0xF050,
                        kScClose = 0xF060, kScRestore = 0xF120;

// The virtual keys the bar answers while it highlights an item.
constexpr unsigned kVkReturn = 0x0D, kVkMenu = 0x12, kVkEscape = 0x1B, kVkLeft = 0x25,
                   kVkRight = 0x27, kVkF10 = 0x79;

// Drop-down entries: the glyph's and the caption's gaps, and the shortcut's from the far edge.
constexpr int kGlyphInset = 1, kCaptionGap = 3, kShortcutGap = 11;

} // namespace

bool SkinsMenuKind(TSkinControlTypes controls, MenuKind kind) {
  switch (kind) {
  case MenuKind::Popup:
    return controls.Contains(xcPopupMenu);
  case MenuKind::BarDropDown:
    return controls.Contains(xcMainMenu) || controls.Contains(xcMenuItem);
  case MenuKind::System:
    return controls.Contains(xcSystemMenu);
  }
  return false;
}

int MenuBarStart(bool element, int elementLeft, int elementRight, bool rightToLeft, int barWidth) {
  int start = 6;
  if (element) start = rightToLeft ? elementRight + 8 : elementLeft + 4;
  if (barWidth < start) start = 12;
  return start;
}

int StartBesideMdiButtons(int start, int barWidth, int buttonsLeft) {
  return buttonsLeft < 0 ? start : std::max(start, barWidth - (buttonsLeft - 5));
}

std::vector<TRect> LayoutMenuBar(TRect bar, int start, const std::vector<MenuBarEntry>& entries,
                                 bool rightToLeft) {
  std::vector<TRect> bounds;
  int x = rightToLeft ? bar.Width() - start : start;
  for (const MenuBarEntry& entry : entries) {
    if (!entry.visible) {
      bounds.push_back({});
      continue;
    }
    const int w = entry.textWidth > 0 ? entry.textWidth + 10 : 0;
    if (rightToLeft) {
      bounds.push_back({bar.Left + x - w, bar.Top, bar.Left + x, bar.Bottom - 1});
      x -= w;
    } else {
      bounds.push_back({bar.Left + x, bar.Top, bar.Left + x + w, bar.Bottom - 1});
      x += w;
    }
  }
  return bounds;
}

int NeighbourItem(const std::vector<TRect>& bounds, int open, int step) {
  const int count = static_cast<int>(bounds.size());
  if (count == 0) return -1;
  int i = open < 0 ? (step > 0 ? -1 : 0) : open;
  for (int tried = 0; tried < count; ++tried) {
    i = ((i + step) % count + count) % count;
    if (i != open && bounds[static_cast<size_t>(i)].Width() > 0 &&
        bounds[static_cast<size_t>(i)].Height() > 0)
      return i;
  }
  return -1;
}

TBarLanding LandOnBarItem(bool hasDropDown, bool enabled, TBarApproach approach) {
  if (hasDropDown && enabled) return TBarLanding::OpenDropDown;
  switch (approach) {
  case TBarApproach::Neighbour:
  case TBarApproach::MenuKey:
    return TBarLanding::Highlight;
  case TBarApproach::Click:
  case TBarApproach::Accelerator:
    return enabled ? TBarLanding::RunCommand : TBarLanding::Nothing;
  }
  return TBarLanding::Nothing;
}

TBarKey BarKeyOf(unsigned virtualKey, bool rightToLeft) {
  switch (virtualKey) {
  case kVkLeft:
    return rightToLeft ? TBarKey::Next : TBarKey::Previous;
  case kVkRight:
    return rightToLeft ? TBarKey::Previous : TBarKey::Next;
  case kVkReturn:
    return TBarKey::Run;
  case kVkEscape:
  case kVkMenu:
  case kVkF10:
    return TBarKey::Leave;
  default:
    return TBarKey::None;
  }
}

MenuEntryColumns EntryColumns(int rowLeft, int rowRight, int elementLeft, int glyphSize,
                              int captionWidth, bool rightToLeft) {
  MenuEntryColumns c;
  c.glyphLeft = rowLeft + kGlyphInset + elementLeft;
  c.glyphRight = c.glyphLeft + glyphSize;
  c.textLeft = c.glyphRight + kCaptionGap;
  c.textRight = rowRight - kGlyphInset;
  c.shortcutLeft = c.textLeft + captionWidth;
  c.shortcutRight = rowRight - kShortcutGap;
  if (!rightToLeft) return c;
  // The mirror image inside the row.
  const auto mirror = [rowLeft, rowRight](int& left, int& right) {
    const int l = rowLeft + rowRight - right, r = rowLeft + rowRight - left;
    left = l;
    right = r;
  };
  mirror(c.glyphLeft, c.glyphRight);
  mirror(c.textLeft, c.textRight);
  mirror(c.shortcutLeft, c.shortcutRight);
  c.rightToLeft = true;
  return c;
}

SystemMenuEntry SystemMenuEntryFor(std::uint32_t command, int windowState, int caps,
                                   bool disabledInMenu) {
  SystemMenuEntry entry;
  switch (command) {
  case kScSize:
  case kScMove:
    entry.enabled = windowState != kStateMaximized;
    break;
  case kScMinimize:
    entry.image = 2;
    entry.enabled = windowState != kStateMinimized && (caps & kCapMinimize);
    break;
  case kScMaximize:
    entry.image = 1;
    entry.enabled = windowState != kStateMaximized && (caps & kCapMaximize);
    break;
  case kScClose:
    entry.image = 3;
    break;
  case kScRestore:
    entry.image = 0;
    entry.enabled = windowState != kStateNormal;
    break;
  default:
    break;
  }
  if (disabledInMenu) entry.enabled = false;
  return entry;
}

bool IsRelayedSystemCommand(std::uintptr_t wParam, std::intptr_t lParam) {
  if (lParam != 0 || ((wParam >> 16) & 0xFFFF) != 0) return false;
  switch (wParam & 0xFFFF) {
  case kScSize:
  case kScMove:
  case kScMinimize:
  case kScMaximize:
  case kScNextWindow:
  case kScPrevWindow:
  case kScClose:
  case kScRestore:
    return true;
  default:
    return false;
  }
}

MenuItemSize MeasureTextItem(int textWidth, bool emptyText, bool element, int elementLeft,
                             int systemHeight) {
  MenuItemSize size;
  size.width = textWidth + 26 + (element ? elementLeft : 0);
  size.height = emptyText ? 8 : systemHeight + 4;
  return size;
}

} // namespace skin
