#include "framework/menus.h"

#include "framework/font_fallback.h"
#include "framework/handles.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <utility>

namespace fw {

namespace {

// Command identifiers of menu items, program-wide: above the dialog ids of controls, below the
// system commands.
constexpr UINT kFirstCommand = 0x1000;

std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

UINT NextCommand() {
  static UINT next = kFirstCommand;
  return next++;
}

constexpr wchar_t kPopupListClass[] = L"fw.TPopupList";

LRESULT CALLBACK PopupListProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (DispatchMenuMessage(msg, wParam, lParam, result)) return result;
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

// The hidden window that owns the framework's popup menus while they are shown.
HWND PopupListWindow() {
  static HWND wnd = nullptr;
  if (!wnd || !::IsWindow(wnd)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PopupListProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kPopupListClass;
    ::RegisterClassW(&wc);
    wnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, kPopupListClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, wc.hInstance, nullptr);
  }
  return wnd;
}

std::wstring KeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  switch (key) {
  case VK_BACK:
    return L"BkSp";
  case VK_TAB:
    return L"Tab";
  case VK_RETURN:
    return L"Enter";
  case VK_ESCAPE:
    return L"Esc";
  case VK_SPACE:
    return L"Space";
  case VK_INSERT:
    return L"Ins";
  case VK_DELETE:
    return L"Del";
  default:
    return L"";
  }
}

} // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  const std::wstring name = KeyName(static_cast<WORD>(shortCut & 0xFF));
  if (name.empty()) return L"";
  std::wstring text;
  if (shortCut & scShift) text += L"Shift+";
  if (shortCut & scCtrl) text += L"Ctrl+";
  if (shortCut & scAlt) text += L"Alt+";
  return text + name;
}

wchar_t AcceleratorOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i)
    if (caption[i] == L'&') {
      if (caption[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(caption[i + 1]));
      ++i; // "&&" is a literal '&'
    }
  return 0;
}

bool IsAccel(wchar_t key, const std::wstring& caption) {
  const wchar_t accel = AcceleratorOf(caption);
  return accel != 0 && accel == static_cast<wchar_t>(std::towupper(key));
}

HFONT MenuFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      return ::CreateFontIndirectW(&metrics.lfMenuFont);
    return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

// ---- TMenuItem ------------------------------------------------------------------------------

TMenuItem::TMenuItem(const std::wstring& caption)
    : TComponent(nullptr), caption_(caption), command_(NextCommand()) {
  Commands()[command_] = this;
}

TMenuItem::~TMenuItem() {
  Commands().erase(command_);
  items_.clear();
  if (handle_) ::DestroyMenu(handle_);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
  item->parent_ = this;
  items_.push_back(std::move(item));
  Changed();
  return items_.back().get();
}

TMenuItem* TMenuItem::Add(const std::wstring& caption, TNotifyEvent onClick) {
  auto item = std::make_unique<TMenuItem>(caption);
  item->OnClick = std::move(onClick);
  return Add(std::move(item));
}

void TMenuItem::Clear() {
  items_.clear();
  Changed();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_)
    item = item->parent_;
  return item->menu_;
}

void TMenuItem::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Changed();
}
void TMenuItem::SetShortCut(TShortCut shortCut) {
  shortCut_ = shortCut;
  Changed();
}
void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}
void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}
void TMenuItem::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}
void TMenuItem::SetDefault(bool value) {
  default_ = value;
  Changed();
}
void TMenuItem::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->Rebuild();
}

void TMenuItem::Click() {
  if (!enabled_ || !OnClick) return;
  // The handler may rebuild the menu and free this item: it runs from a copy and never touches
  // the item afterwards.
  const TNotifyEvent handler = OnClick;
  handler(this);
}

TMenuItem* TMenuItem::Find(UINT command) const {
  if (command_ == command) return const_cast<TMenuItem*>(this);
  for (const auto& item : items_)
    if (TMenuItem* found = item->Find(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindByHandle(HMENU handle) const {
  if (handle && handle_ == handle) return const_cast<TMenuItem*>(this);
  for (const auto& item : items_)
    if (TMenuItem* found = item->FindByHandle(handle)) return found;
  return nullptr;
}

void TMenuItem::AppendTo(HMENU target, bool ownerDraw) {
  std::wstring text = caption_;
  if (shortCut_) text += L"\t" + ShortCutToText(shortCut_);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_DATA;
  info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
  if (ownerDraw) info.fType |= MFT_OWNERDRAW;
  info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
                (default_ ? MFS_DEFAULT : 0);
  info.wID = command_;
  info.dwItemData = command_;
  if (!items_.empty()) {
    if (!handle_) handle_ = ::CreatePopupMenu();
    RebuildEntries(handle_, ownerDraw);
    info.hSubMenu = handle_;
  }
  info.dwTypeData = text.data();
  ::InsertMenuItemW(target, static_cast<UINT>(::GetMenuItemCount(target)), TRUE, &info);
}

void TMenuItem::RebuildEntries(HMENU target, bool ownerDraw) {
  // The entries go without destroying the drop-downs of items: those are rebuilt in place.
  while (::GetMenuItemCount(target) > 0)
    ::RemoveMenu(target, 0, MF_BYPOSITION);
  for (const auto& item : items_)
    if (item->visible_) item->AppendTo(target, ownerDraw);
}

void TMenuItem::MeasureItem(HDC dc, int& width, int& height) {
  // The framework's own size first; a handler adjusts it.
  std::wstring text = caption_;
  if (shortCut_) text += L"    " + ShortCutToText(shortCut_);
  SelectGuard font(dc, FontForText(MenuFont(), text));
  RECT r{0, 0, 0, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  width = r.right + 2 * ::GetSystemMetrics(SM_CXMENUCHECK);
  height = IsLine() ? 8 : std::max<int>(r.bottom + 4, ::GetSystemMetrics(SM_CYMENU));
  if (OnMeasureItem) OnMeasureItem(this, dc, width, height);
}

void TMenuItem::DrawItem(HDC dc, const RECT& rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, dc, rect, selected);
    return;
  }
  ::FillRect(dc, &rect, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line = rect;
    line.top += (rect.bottom - rect.top) / 2;
    ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SelectGuard font(dc, FontForText(MenuFont(), caption_));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(!enabled_  ? COLOR_GRAYTEXT
                                   : selected ? COLOR_HIGHLIGHTTEXT
                                              : COLOR_MENUTEXT));
  RECT text = rect;
  text.left += ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
  ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_SINGLELINE | DT_VCENTER);
}

// ---- TMenu ----------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>()) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  if (handle_) {
    // The items destroy their own drop-downs.
    while (::GetMenuItemCount(handle_) > 0)
      ::RemoveMenu(handle_, 0, MF_BYPOSITION);
    ::DestroyMenu(handle_);
  }
}

void TMenu::SetOwnerDraw(bool value) {
  ownerDraw_ = value;
  Rebuild();
}

void TMenu::Rebuild() {
  if (!handle_) return;
  items_->RebuildEntries(handle_, ownerDraw_);
  MenuChanged();
}

TMenuItem* TMenu::ItemAtPosition(HMENU menu, int position) const {
  const TMenuItem* parent = menu == handle_ ? items_.get() : FindItemByHandle(menu);
  if (!parent) return nullptr;
  int visible = 0;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible() && visible++ == position) return parent->Items(i);
  return nullptr;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {
  handle_ = ::CreateMenu();
}

void TMainMenu::MenuChanged() {
  if (!Window || !::IsWindow(Window)) return;
  ::SendMessageW(Window, CM_MENUCHANGED, 0, 0);
  ::DrawMenuBar(Window);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
  handle_ = ::CreatePopupMenu();
}

namespace {
TPopupMenu* showing = nullptr;
} // namespace

TPopupMenu* TPopupMenu::Showing() {
  return showing;
}

void TPopupMenu::Popup(int x, int y) {
  Rebuild();
  HWND owner = PopupListWindow();
  TPopupMenu* outer = std::exchange(showing, this);
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      Handle(), Alignment | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  showing = outer;
  // The item is looked up again by its command: a handler run inside the menu loop may have
  // rebuilt the menu.
  if (command)
    if (TMenuItem* item = FindItem(command)) item->Click();
}

// ---- messages -------------------------------------------------------------------------------

std::wstring MenuItemText(HMENU menu, UINT item, bool byPosition) {
  wchar_t text[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 255;
  if (!::GetMenuItemInfoW(menu, item, byPosition, &info)) return L"";
  return text;
}

LRESULT MenuCharResult(HMENU menu, wchar_t key) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const std::wstring text = MenuItemText(menu, static_cast<UINT>(i), true);
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (!(state & (MF_GRAYED | MF_DISABLED)) && IsAccel(key, text))
      return MAKELRESULT(i, MNC_EXECUTE);
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

bool DispatchMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
  case WM_MEASUREITEM: {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromCommand(measure->itemID);
    if (!item) return false;
    HDC dc = ::GetDC(nullptr);
    int width = static_cast<int>(measure->itemWidth),
        height = static_cast<int>(measure->itemHeight);
    item->MeasureItem(dc, width, height);
    ::ReleaseDC(nullptr, dc);
    measure->itemWidth = static_cast<UINT>(width);
    measure->itemHeight = static_cast<UINT>(height);
    result = TRUE;
    return true;
  }
  case WM_DRAWITEM: {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromCommand(draw->itemID);
    if (!item) return false;
    const int saved = ::SaveDC(draw->hDC);
    item->DrawItem(draw->hDC, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
    ::RestoreDC(draw->hDC, saved);
    result = TRUE;
    return true;
  }
  case WM_MENUCHAR:
    if (!(HIWORD(wParam) & MF_POPUP)) return false;
    result = MenuCharResult(reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)));
    return HIWORD(result) != MNC_IGNORE;
  case WM_COMMAND:
    // A command chosen in a menu: no control, notification code 0.
    if (lParam != 0 || HIWORD(wParam) != 0) return false;
    if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(wParam))) {
      item->Click();
      result = 0;
      return true;
    }
    return false;
  default:
    return false;
  }
}

} // namespace fw
