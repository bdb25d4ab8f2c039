// The decisions of skinned menus that need no window: where the items of a menu bar go, which
// bar item the arrow keys move to and what the bar does with an item it reaches, where the parts
// of a drop-down entry go (mirrored for a right-to-left menu), how the entries of a window's
// system menu are enabled and which glyph they show, which popup menus a skin component skins,
// and which WM_COMMAND is a system command chosen in a menu.
#pragma once

#include "framework/core/bitmap.h"
#include "skin/data/core/skin_options.h"

#include <cstdint>
#include <vector>

namespace skin {

using fw::TRect;

// What kind of menu is about to open.
enum class MenuKind { Popup = 0, BarDropDown = 1, System = 2 };

// Whether a component with these SkinControls skins a popup menu of this kind.
bool SkinsMenuKind(TSkinControlTypes controls, MenuKind kind);

// The offset of the first bar item from the bar's left edge (right edge for a right-to-left bar).
// `element`: the skin has a menu-bar image with these fixed left and right widths.
int MenuBarStart(bool element, int elementLeft, int elementRight, bool rightToLeft, int barWidth);
// A right-to-left bar whose right part shows a maximized MDI child's buttons starts its first item
// 5 pixels left of them: `buttonsLeft` is the leftmost button's left edge in bar coordinates
// (-1 for no buttons).
int StartBesideMdiButtons(int start, int barWidth, int buttonsLeft);

// One item of a menu bar: its caption's width (0 for an empty caption) and whether it shows.
struct MenuBarEntry {
  int textWidth = 0;
  bool visible = true;
};

// The items' rectangles in frame coordinates, one per entry: a visible item is its caption's
// width plus 10 wide and one pixel less high than the bar; a hidden one gets an empty rectangle.
std::vector<TRect> LayoutMenuBar(TRect bar, int start, const std::vector<MenuBarEntry>& entries,
                                 bool rightToLeft);

// The bar item the left (step -1) or right (step +1) arrow moves to from `open`, wrapping at the
// ends; items without bounds (hidden or empty) are skipped. -1 when no other item can take it.
int NeighbourItem(const std::vector<TRect>& bounds, int open, int step);

// How the user reached a bar item.
enum class TBarApproach {
  Click,       // a click on its title
  Accelerator, // its Alt+letter
  MenuKey,     // F10 or Alt alone: the first item
  Neighbour,   // an arrow key or the mouse, from an open drop-down or a highlighted item
};

// What the bar does with an item it reached.
enum class TBarLanding {
  OpenDropDown, // the item's drop-down opens
  Highlight,    // the item is highlighted; the bar keeps the keyboard and the mouse
  RunCommand,   // the item's command runs
  Nothing,
};

// An enabled item with a drop-down opens it. An item that cannot open (a command item, a
// disabled one) is only highlighted when the user moves onto it, and the moving goes on from it;
// a click or its accelerator runs an enabled command item, and nothing runs a disabled one.
TBarLanding LandOnBarItem(bool hasDropDown, bool enabled, TBarApproach approach);

// What a key does while the bar highlights an item without an open drop-down.
enum class TBarKey { None, Previous, Next, Run, Leave };
// `virtualKey` is a Windows virtual-key code; in a right-to-left bar the arrows point the
// other way.
TBarKey BarKeyOf(unsigned virtualKey, bool rightToLeft);

// The columns of a drop-down entry whose row spans [rowLeft, rowRight): the glyph box, the
// caption's box and where the shortcut may go once the caption is `captionWidth` wide. Left to
// right, the glyph sits one pixel in from the left edge past the MenuItem element's left part
// (`elementLeft`), the caption 3 pixels right of it and the shortcut, right-aligned, ends 11
// pixels before the right edge. A right-to-left entry is the mirror image: glyph at the right,
// caption right-aligned, shortcut at the left.
struct MenuEntryColumns {
  int glyphLeft = 0, glyphRight = 0; // empty for a separator (glyphSize 0)
  int textLeft = 0, textRight = 0;
  int shortcutLeft = 0, shortcutRight = 0;
  bool rightToLeft = false; // caption to the right of its box, shortcut to the left of its own
};
MenuEntryColumns EntryColumns(int rowLeft, int rowRight, int elementLeft, int glyphSize,
                              int captionWidth, bool rightToLeft);

// An entry of a window's system menu as the skinned system menu shows it.
struct SystemMenuEntry {
  bool enabled = true;
  int image = -1; // glyph: 0 restore, 1 maximize, 2 minimize, 3 close; -1 none
};

// By the entry's command (SC_*), the window state (kState*), its caption buttons (kCap*) and the
// entry's own state bits: a disabled entry stays disabled.
SystemMenuEntry SystemMenuEntryFor(std::uint32_t command, int windowState, int caps,
                                   bool disabledInMenu);

// A WM_COMMAND that is a system command chosen in a skinned system menu: a menu command (no
// control, notification code 0) whose identifier is one of the window commands.
bool IsRelayedSystemCommand(std::uintptr_t wParam, std::intptr_t lParam);

// The size of a menu-handle item measured by its text: `textWidth` in the menu font, the
// skin's MenuItem LeftWidth when it has the element; the height from the system's.
struct MenuItemSize {
  int width = 0, height = 0;
};
MenuItemSize MeasureTextItem(int textWidth, bool emptyText, bool element, int elementLeft,
                             int systemHeight);

} // namespace skin
