// Menus: a form's main menu (its menu bar) and popup menus, made of items with a caption, a
// shortcut, check and enabled states, an image index and sub-items. Each menu keeps a system
// menu (HMENU) in step with its items; a chosen item raises its OnClick. Items may be drawn by
// their owner: the OnMeasureItem and OnDrawItem events then size and paint them.
#pragma once

#include "framework/component.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// The command of a WM_SYSCOMMAND: Windows keeps the low four bits of its wParam for itself.
constexpr WPARAM kSysCommandBits = 0xFFF0;
inline UINT SysCommandOf(WPARAM wParam) {
  return static_cast<UINT>(wParam & kSysCommandBits);
}

class TMenu;

// A shortcut: a virtual key plus the modifier bits below.
using TShortCut = WORD;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+S", "Alt+F4", "Shift+Del"; empty for 0.
std::wstring ShortCutToText(TShortCut shortCut);
// The accelerator letter of a caption ('&' before it; "&&" is a literal '&'), upper-cased; 0 if
// none.
wchar_t AcceleratorOf(const std::wstring& caption);
// Whether `key` is the accelerator of `caption`, compared without case.
bool IsAccel(wchar_t key, const std::wstring& caption);

class TMenuItem : public TComponent {
public:
  using TMenuMeasureItemEvent =
      std::function<void(TObject* Sender, HDC dc, int& width, int& height)>;
  using TMenuDrawItemEvent =
      std::function<void(TObject* Sender, HDC dc, const RECT& rect, bool selected)>;

  explicit TMenuItem(const std::wstring& caption = L"");
  ~TMenuItem() override;
  std::wstring ClassName() const override { return L"TMenuItem"; }

  // Appends an item (this item takes it) and returns it.
  TMenuItem* Add(std::unique_ptr<TMenuItem> item);
  TMenuItem* Add(const std::wstring& caption, TNotifyEvent onClick = nullptr);
  // Deletes every sub-item.
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_[static_cast<size_t>(index)].get(); }
  TMenuItem* Parent() const { return parent_; }
  // The menu the item belongs to (through its parents), or null.
  TMenu* GetParentMenu() const;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  // The command identifier the item has in its system menu (unique in the program).
  UINT Command() const { return command_; }
  // The item's own system menu: the drop-down of an item with sub-items, else 0.
  HMENU Handle() const { return handle_; }
  bool IsLine() const { return caption_ == L"-"; }

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;
  // Raises OnClick (nothing for a disabled item).
  virtual void Click();
  // The framework's own measuring and drawing of an owner-drawn item, used when the item has no
  // handler: the caption in the menu colours.
  void MeasureItem(HDC dc, int& width, int& height);
  void DrawItem(HDC dc, const RECT& rect, bool selected);

  // The item with this command or this drop-down handle among this item and its sub-items.
  TMenuItem* Find(UINT command) const;
  TMenuItem* FindByHandle(HMENU handle) const;
  // The item registered under a command, anywhere in the program, or null.
  static TMenuItem* FromCommand(UINT command);

private:
  friend class TMenu;
  // Builds the entries of this item's drop-down (or of `target`) from the sub-items.
  void RebuildEntries(HMENU target, bool ownerDraw);
  void Changed();
  // Inserts this item as an entry of `target`.
  void AppendTo(HMENU target, bool ownerDraw);

  std::wstring caption_;
  TShortCut shortCut_ = 0;
  bool checked_ = false, enabled_ = true, visible_ = true, default_ = false;
  int imageIndex_ = -1;
  UINT command_;
  HMENU handle_ = nullptr;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr; // set on the root item
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  std::wstring ClassName() const override { return L"TMenu"; }

  // The root item: its sub-items are the menu's items.
  TMenuItem& Items() { return *items_; }
  const TMenuItem& Items() const { return *items_; }
  // The menu's system menu, with the items as entries.
  HMENU Handle() const { return handle_; }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool value);
  // Images the items show by ImageIndex (not owned); null for none.
  HIMAGELIST Images = nullptr;
  // The menu reads from right to left (its items laid out from the right edge).
  bool RightToLeft = false;
  bool IsRightToLeft() const { return RightToLeft; }
  TMenuItem* FindItem(UINT command) const { return items_->Find(command); }
  TMenuItem* FindItemByHandle(HMENU handle) const { return items_->FindByHandle(handle); }
  // Rebuilds every system menu entry from the items.
  void Rebuild();
  // The item at `position` of the system menu `menu` (only visible items have entries).
  TMenuItem* ItemAtPosition(HMENU menu, int position) const;

protected:
  // Called after the entries changed: a main menu tells its form.
  virtual void MenuChanged() {}
  HMENU handle_ = nullptr; // made by the subclass: a menu bar or a popup menu

private:
  friend class TMenuItem;
  std::unique_ptr<TMenuItem> items_;
  bool ownerDraw_ = false;
};

// A form's menu bar: the form shows it when it is the form's Menu.
class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* owner);
  std::wstring ClassName() const override { return L"TMainMenu"; }
  // The window that shows the menu (set by the form).
  HWND Window = nullptr;

protected:
  // Sends CM_MENUCHANGED to the window and has the system redraw its menu bar.
  void MenuChanged() override;
};

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* owner);
  std::wstring ClassName() const override { return L"TPopupMenu"; }
  // Shows the menu at a screen point and waits until it closes; the chosen item's OnClick runs
  // after it closed. The menu's messages (measuring, drawing, accelerators) go to the program's
  // menu window.
  void Popup(int x, int y);
  // The alignment flags of TrackPopupMenu (TPM_LEFTALIGN by default).
  UINT Alignment = TPM_LEFTALIGN;
  // The popup menu whose Popup runs (the innermost), or null.
  static TPopupMenu* Showing();
};

// The framework notification sent to a form when the entries of its main menu changed.
inline constexpr UINT CM_MENUCHANGED = 0xB015;

// Answers the menu messages of owner-drawn framework items (WM_MEASUREITEM, WM_DRAWITEM) and the
// accelerator request of owner-drawn menus (WM_MENUCHAR) and runs chosen commands (WM_COMMAND
// from a menu); false for anything else.
bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The WM_MENUCHAR answer for `menu`: execute the enabled entry whose text has `key` as its
// accelerator, or MNC_IGNORE. Owner-drawn entries lose their mnemonics without it.
LRESULT MenuCharResult(HMENU menu, wchar_t key);

// The text of a menu entry (by position or by command), also of owner-drawn entries, whose text
// GetMenuString does not give.
std::wstring MenuItemText(HMENU menu, UINT item, bool byPosition);

// The system's menu font.
HFONT MenuFont();

} // namespace fw
