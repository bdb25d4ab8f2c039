#include "skin/forms/form_menus.h"

#include "framework/application.h"
#include "framework/form.h"
#include "skin/common/thread_hook.h"
#include "skin/data/skin_data.h"
#include "skin/forms/skin_manager.h"

#include <windowsx.h>

#include <functional>
#include <utility>

namespace skin {

namespace {

constexpr int kSystemMenuTag = 33333;

void TellMenuKind(MenuKind kind, bool fromBar) {
  if (TSkinManage* manager = SkinManager()) manager->SetMenuKind(kind, fromBar);
}

// Entries made owner-drawn for one tracking, given back their own drawing afterwards.
using OwnerDrawnEntries = std::vector<std::pair<HMENU, UINT>>;

void MakeOwnerDrawn(HMENU menu, OwnerDrawnEntries& changed) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      // Only the type changes: the entry keeps its text for measuring and mnemonics.
      info.fMask = MIIM_FTYPE;
      info.fType |= MFT_OWNERDRAW;
      ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
      changed.emplace_back(menu, static_cast<UINT>(i));
    }
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu, changed);
  }
}

void RestoreOwnerDrawn(const OwnerDrawnEntries& changed) {
  for (const auto& [menu, position] : changed) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
    info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
    ::SetMenuItemInfoW(menu, position, TRUE, &info);
  }
}

bool Contains(const TRect& r, POINT p) {
  return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

} // namespace

// The one menu that is tracked at a time (TrackPopupMenu's loop is modal), program-wide. Entries
// are known by their menu and position only: a command handler may rebuild any menu. `form` is
// cleared when its menus go, so the filter never reaches a freed object.
struct TMenuTrackingState {
  TFormMenus* form = nullptr;
  int openIndex = -1;
  HMENU trackedMenu = nullptr;
  HMENU selectedMenu = nullptr; // the menu of the entry selected in the drop-down
  bool selectedHasSubMenu = false;
  bool downKeySent = false;
  int switchTo = -1; // the bar item that comes once the drop-down closed
  TBarApproach switchHow = TBarApproach::Neighbour;
  POINT lastMouse{};
  std::unique_ptr<TThreadHook> hook;
};

namespace {
TMenuTrackingState& Tracked() {
  static TMenuTrackingState state;
  return state;
}
} // namespace

// The item painters the skin gives framework menu items. Named types, so that the skin takes back
// only its own handlers and leaves those of the program alone.
struct TSkinItemPainter {
  TFormMenus* menus;
  void operator()(fw::TObject* sender, HDC dc, const RECT& rect, bool selected) const {
    menus->FPainter.DrawMenuItem(ViewOf(*static_cast<fw::TMenuItem*>(sender)), dc, rect, selected);
  }
};

// Widens the framework's own size of an item: `popup` for popup menus, else for drop-downs of a
// main menu.
struct TSkinItemMeasure {
  TFormMenus* menus;
  bool popup;
  void operator()(fw::TObject* sender, HDC, int& width, int&) const {
    const fw::TMenu* menu = static_cast<fw::TMenuItem*>(sender)->GetParentMenu();
    const bool images = menu && menu->Images;
    width +=
        popup ? menus->FPainter.PopupExtraWidth(images) : menus->FPainter.MenuExtraWidth(images);
  }
};

namespace {

void GiveBackPainters(fw::TMenuItem& item) {
  if (item.OnDrawItem.target<TSkinItemPainter>()) item.OnDrawItem = nullptr;
  if (item.OnMeasureItem.target<TSkinItemMeasure>()) item.OnMeasureItem = nullptr;
}

// Every item below `item`, at every depth.
void ForEachItemBelow(fw::TMenuItem& item, const std::function<void(fw::TMenuItem&)>& visit) {
  for (int i = 0; i < item.Count(); ++i) {
    visit(*item.Items(i));
    ForEachItemBelow(*item.Items(i), visit);
  }
}

} // namespace

TFormMenus::TFormMenus(TMenuHost& host, const TFormSkinSource& source)
    : FHost(host), FSource(source), FPainter(source.Elements, source.Options) {}

TFormMenus::~TFormMenus() {
  if (Tracked().form == this) Tracked().form = nullptr;
  // An open menu of ours ends: its entries were ours to draw.
  if (FMenuTracking || FSystemMenuShown) ::EndMenu();
}

void TFormMenus::Attach(HWND wnd, fw::TForm* form, const WindowKind& kind) {
  FHandle = wnd;
  FForm = form;
  FKind = kind;
}

void TFormMenus::TakeBackPainters() {
  SkinPopupMenus(false);
  SkinMainMenus(false);
}

void TFormMenus::SaveMenuUpdate() {
  if (FSource.Component) FSavedMenuUpdate = FSource.Component->MenuUpdate;
}

void TFormMenus::GiveBackMenuUpdate() {
  if (FSource.Component) FSource.Component->MenuUpdate = FSavedMenuUpdate;
}

int TFormMenus::MenuBarHeight() const {
  return HasMenuBar() ? ::GetSystemMetrics(SM_CYMENU) : 0;
}

void TFormMenus::SkinMenuBar() {
  HWND wnd = FHandle;
  if (!FKind.IsMdiChild() && !FKind.isChild)
    if (HMENU menu = ::GetMenu(wnd)) {
      RECT before, after;
      ::GetClientRect(wnd, &before);
      FBar = std::make_unique<TWinSkinMenu>(FSource);
      if (!FBar->BuildItems(wnd, menu, FForm ? FForm->Menu() : nullptr)) {
        FBar.reset();
      } else {
        ::GetClientRect(wnd, &after);
        FClientGrowth = after.bottom - before.bottom;
      }
    }
  SkinMainMenus(true);
}

void TFormMenus::SkinMenusAgain() {
  SkinPopupMenus(true);
  SkinMainMenus(true);
}

void TFormMenus::Unhook() {
  SkinPopupMenus(false);
  SkinMainMenus(false);
  FSysMenu.reset();
  if (FBar) {
    ::SetMenu(FHandle, FBar->MenuHandle());
    FBar.reset();
  }
}

void TFormMenus::SkinPopupMenus(bool on) {
  if (!FForm || !FSource.SkinControls.Contains(xcPopupMenu)) return;
  const int disableTag = FSource.Component ? FSource.Component->DisableTag : 99;
  auto skinItem = [this, on](fw::TMenuItem& item) {
    if (!on) return GiveBackPainters(item);
    item.OnDrawItem = TSkinItemPainter{this};
    if (!item.OnMeasureItem) item.OnMeasureItem = TSkinItemMeasure{this, true};
  };
  for (fw::TComponent* component : FForm->Components())
    if (auto* popup = dynamic_cast<fw::TPopupMenu*>(component))
      if (popup->Tag != disableTag) {
        ForEachItemBelow(popup->Items(), skinItem);
        popup->SetOwnerDraw(on);
      }
}

void TFormMenus::SkinMainMenus(bool on) {
  if (!FForm || !FSource.SkinControls.Contains(xcMenuItem)) return;
  // The bar's own items are the skinned bar's; their drop-downs' items get the painters.
  auto skinItem = [this, on](fw::TMenuItem& item) {
    if (!on) return GiveBackPainters(item);
    if (item.OnDrawItem) return; // the program draws it
    item.OnDrawItem = TSkinItemPainter{this};
    item.OnMeasureItem = TSkinItemMeasure{this, false};
  };
  for (fw::TComponent* component : FForm->Components())
    if (auto* menu = dynamic_cast<fw::TMainMenu*>(component)) {
      for (int i = 0; i < menu->Items().Count(); ++i)
        ForEachItemBelow(*menu->Items().Items(i), skinItem);
      menu->SetOwnerDraw(on);
    }
}

TRect TFormMenus::BarRect() const {
  return FHost.MenuBarRect();
}

bool TFormMenus::RightToLeft() const {
  return FKind.rightToLeft || (FBar && FBar->Menu() && FBar->Menu()->IsRightToLeft());
}

void TFormMenus::PaintBar(HDC dc, TRect rect, int mdiButtonsLeft,
                          const std::function<void(HDC)>& mdiButtons) {
  // A repaint ends hover feedback, but not the item of an open drop-down or a highlight.
  if (!FMenuTracking) FHotItem = -1;
  if (!FBar) return;
  if (mdiButtons) FBar->FMdiButtonsLeft = mdiButtonsLeft;
  FBar->PaintBar(FHandle, dc, rect, FHost.FrameActive(), RightToLeft(), mdiButtons);
  if (FHotItem >= 0) FBar->PaintItem(FHandle, FHotItem);
}

void TFormMenus::SetHot(int index, TButtonState state) {
  if (!FBar) return;
  auto& items = FBar->FItems;
  if (FHotItem >= 0 && FHotItem != index && FHotItem < static_cast<int>(items.size())) {
    items[static_cast<size_t>(FHotItem)].FButtonState = TButtonState::Normal;
    FBar->PaintItem(FHandle, FHotItem);
  }
  FHotItem = index;
  if (index >= 0 && index < static_cast<int>(items.size())) {
    items[static_cast<size_t>(index)].FButtonState = state;
    FBar->PaintItem(FHandle, index);
  }
}

void TFormMenus::HoverTick(POINT framePoint) {
  if (!FBar || FHotItem < 0 || FHotItem >= static_cast<int>(FBar->FItems.size())) return;
  if (!Contains(FBar->FItems[static_cast<size_t>(FHotItem)].FBounds, framePoint))
    SetHot(-1, TButtonState::Normal);
}

TMessageAnswer TFormMenus::NonClientMouse(UINT msg, POINT framePoint) {
  if (!FBar) return TMessageAnswer::PassOn;
  const int index = FBar->ItemAtPoint(framePoint);
  switch (msg) {
  case WM_NCMOUSEMOVE:
    if (index < 0) {
      if (FHotItem >= 0) SetHot(-1, TButtonState::Normal);
      return TMessageAnswer::PassOn;
    }
    if (index != FHotItem) SetHot(index, TButtonState::Hot);
    return TMessageAnswer::Handled;
  case WM_NCLBUTTONDOWN:
    if (index < 0) return TMessageAnswer::PassOn;
    if (FMenuTracking) {
      PressDuringDropDown(index);
      return TMessageAnswer::Handled;
    }
    if (!FHost.FrameActive()) ::SetForegroundWindow(FHandle);
    OpenMenuItem(index, TBarApproach::Click);
    return TMessageAnswer::Handled;
  case WM_NCLBUTTONUP:
    return index >= 0 ? TMessageAnswer::Handled : TMessageAnswer::PassOn;
  default:
    return TMessageAnswer::PassOn;
  }
}

void TFormMenus::SwitchTo(int index, TBarApproach approach) {
  Tracked().switchTo = index;
  Tracked().switchHow = approach;
  ::EndMenu();
}

void TFormMenus::PressDuringDropDown(int index) {
  if (index == Tracked().openIndex)
    SwitchTo(-1, TBarApproach::Click);
  else
    SwitchTo(index, TBarApproach::Click);
}

void TFormMenus::OpenMenuItem(int index, TBarApproach approach) {
  // The loop keeps on its stack what it needs after a menu loop: that loop may free this object.
  const TLiveness::TWatch alive = FLiveness.Watch();
  const HWND wnd = FHandle;
  while (index >= 0 && FBar && index < static_cast<int>(FBar->FItems.size())) {
    FBar->Layout(wnd, BarRect(), RightToLeft());
    // A copy: a command handler run meanwhile may rebuild the bar's items.
    const TMenuBtn item = FBar->FItems[static_cast<size_t>(index)];
    TBarStep step;
    switch (LandOnBarItem(item.FSubMenu != nullptr, item.FItemEnabled, approach)) {
    case TBarLanding::RunCommand:
      ::PostMessageW(wnd, WM_COMMAND, item.FCommand, 0);
      return;
    case TBarLanding::Nothing:
      return;
    case TBarLanding::Highlight:
      step = HighlightItem(item.FIndex);
      break;
    case TBarLanding::OpenDropDown:
      // A framework item hears of its opening (its OnClick); a plain menu's drop-down has no
      // command of its own.
      if (item.FFrameworkItem) ::PostMessageW(wnd, WM_COMMAND, item.FCommand, 0);
      step = TrackDropDown(item);
      break;
    }
    // The command chosen reaches the window even when its skin went meanwhile.
    if (step.command) ::PostMessageW(wnd, WM_COMMAND, step.command, 0);
    if (!alive) return;
    index = step.next;
    approach = step.approach;
  }
}

TFormMenus::TBarStep TFormMenus::TrackDropDown(const TMenuBtn& item) {
  const TLiveness::TWatch alive = FLiveness.Watch();
  const HWND wnd = FHandle;
  const bool rightToLeft = RightToLeft();
  TMenuTrackingState& state = Tracked();
  state.form = this;
  state.openIndex = item.FIndex;
  state.trackedMenu = item.FSubMenu;
  state.selectedMenu = nullptr;
  state.selectedHasSubMenu = false;
  state.downKeySent = false;
  state.switchTo = -1;
  ::GetCursorPos(&state.lastMouse);
  OwnerDrawnEntries ownerDrawn;
  MakeOwnerDrawn(item.FSubMenu, ownerDrawn);
  FMenuTracking = true;
  RECT w;
  ::GetWindowRect(wnd, &w);
  const int x = (rightToLeft ? item.FBounds.Right : item.FBounds.Left) + w.left;
  const int y = item.FBounds.Bottom + w.top;
  TellMenuKind(MenuKind::BarDropDown, true);
  SetHot(item.FIndex, TButtonState::Pressed);
  state.hook = std::make_unique<TThreadHook>([](int code, MSG& m) {
    TFormMenus* menus = Tracked().form;
    return menus && menus->OnMenuFilter(code, m);
  });
  FOpened.push_back(item.FIndex);
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      item.FSubMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD | (rightToLeft ? TPM_RIGHTALIGN : 0), x, y, 0,
      wnd, nullptr));
  state.hook.reset();
  state.form = nullptr;
  state.openIndex = -1;
  RestoreOwnerDrawn(ownerDrawn);
  const TBarStep step{state.switchTo, state.switchHow, command};
  if (!alive) return step;
  FMenuTracking = false;
  SetHot(-1, TButtonState::Normal);
  return step;
}

TFormMenus::TBarStep TFormMenus::HighlightItem(int index) {
  const TLiveness::TWatch alive = FLiveness.Watch();
  const HWND wnd = FHandle;
  TBarStep step;
  FMenuTracking = true;
  SetHot(index, TButtonState::Hot);
  ::GetCursorPos(&Tracked().lastMouse);
  // The bar's own little menu loop: keys and the mouse are the bar's until the highlight ends;
  // everything else is dispatched as usual.
  ::SetCapture(wnd);
  for (bool done = false; !done;) {
    MSG m;
    const BOOL got = ::GetMessageW(&m, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) ::PostQuitMessage(static_cast<int>(m.wParam)); // for the outer loop
      break;
    }
    done = HighlightInput(m, index, step);
    if (!alive) break;
    // A command handler took the menu away or rebuilt it shorter: nothing is left to highlight.
    if (!FBar || index >= static_cast<int>(FBar->FItems.size())) {
      step = {};
      break;
    }
    // Another window took the mouse (activation went elsewhere, a cancel): the bar lets go.
    if (::GetCapture() != wnd) done = true;
  }
  if (::GetCapture() == wnd) ::ReleaseCapture();
  if (!alive) return step;
  FMenuTracking = false;
  SetHot(-1, TButtonState::Normal);
  return step;
}

bool TFormMenus::HighlightInput(const MSG& m, int& index, TBarStep& step) {
  switch (m.message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    return HighlightKey(m.wParam, index, step);
  case WM_CHAR:
  case WM_SYSCHAR:
    // The item whose accelerator the letter is comes next.
    step = {FBar->FindAccelItem(static_cast<wchar_t>(m.wParam)), TBarApproach::Accelerator};
    return step.next >= 0;
  case WM_KEYUP:
  case WM_SYSKEYUP:
  case WM_DEADCHAR:
  case WM_SYSDEADCHAR:
    return false;
  case WM_MOUSEMOVE:
  case WM_NCMOUSEMOVE: {
    // Only a mouse that moves moves the highlight.
    POINT& last = Tracked().lastMouse;
    if (m.pt.x == last.x && m.pt.y == last.y) return false;
    last = m.pt;
    const int item = FBar->ItemAtPoint(FHost.WindowToFrame(m.pt));
    return item >= 0 && item != index && MoveHighlight(item, index, step);
  }
  case WM_LBUTTONDOWN:
  case WM_NCLBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_NCRBUTTONDOWN:
  case WM_MBUTTONDOWN:
    return HighlightPress(m.pt, index, step);
  case WM_LBUTTONUP:
  case WM_NCLBUTTONUP:
  case WM_RBUTTONUP:
  case WM_NCRBUTTONUP:
  case WM_MBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_NCLBUTTONDBLCLK:
    return false;
  default:
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
    return false;
  }
}

bool TFormMenus::HighlightKey(WPARAM key, int& index, TBarStep& step) {
  const TBarKey action = BarKeyOf(static_cast<unsigned>(key), RightToLeft());
  switch (action) {
  case TBarKey::Previous:
  case TBarKey::Next: {
    const int next = NeighbourItem(FBar->Bounds(), index, action == TBarKey::Next ? 1 : -1);
    return next >= 0 && MoveHighlight(next, index, step);
  }
  case TBarKey::Run: {
    const TMenuBtn& item = FBar->FItems[static_cast<size_t>(index)];
    if (LandOnBarItem(item.FSubMenu != nullptr, item.FItemEnabled, TBarApproach::Click) !=
        TBarLanding::RunCommand)
      return false; // a disabled item runs nothing
    step.command = item.FCommand;
    return true;
  }
  case TBarKey::Leave:
    return true;
  case TBarKey::None:
    return false;
  }
  return false;
}

bool TFormMenus::HighlightPress(POINT screen, int index, TBarStep& step) {
  const int item = FBar->ItemAtPoint(FHost.WindowToFrame(screen));
  if (item == index) {
    // A click on the highlighted item runs it, or, when it runs nothing, ends the highlight.
    const TMenuBtn& hot = FBar->FItems[static_cast<size_t>(index)];
    if (LandOnBarItem(hot.FSubMenu != nullptr, hot.FItemEnabled, TBarApproach::Click) ==
        TBarLanding::RunCommand)
      step.command = hot.FCommand;
    return true;
  }
  // Another item comes next; a press anywhere else ends the highlight.
  step = {item, TBarApproach::Click};
  return true;
}

bool TFormMenus::MoveHighlight(int next, int& index, TBarStep& step) {
  const TMenuBtn& item = FBar->FItems[static_cast<size_t>(next)];
  if (LandOnBarItem(item.FSubMenu != nullptr, item.FItemEnabled, TBarApproach::Neighbour) ==
      TBarLanding::OpenDropDown) {
    step = {next, TBarApproach::Neighbour};
    return true;
  }
  index = next;
  SetHot(index, TButtonState::Hot);
  return false;
}

bool TFormMenus::OnMenuFilter(int code, MSG& m) {
  TMenuTrackingState& state = Tracked();
  if (code != MSGF_MENU || !FBar) return false;
  // In a right-to-left menu the arrow keys point the other way.
  if (RightToLeft() && (m.message == WM_KEYDOWN || m.message == WM_KEYUP) &&
      (m.wParam == VK_LEFT || m.wParam == VK_RIGHT))
    m.wParam = m.wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
  if (!state.downKeySent) {
    state.downKeySent = true;
    ::PostMessageW(m.hwnd, WM_KEYDOWN, VK_DOWN, 0); // the drop-down's first entry is selected
  }
  int target = -1;
  switch (m.message) {
  case WM_KEYDOWN:
    if (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE) state.switchTo = -1;
    if (m.wParam == VK_LEFT && (!state.selectedMenu || state.selectedMenu == state.trackedMenu))
      target = NeighbourItem(FBar->Bounds(), state.openIndex, -1);
    if (m.wParam == VK_RIGHT && (!state.selectedMenu || !state.selectedHasSubMenu))
      target = NeighbourItem(FBar->Bounds(), state.openIndex, +1);
    break;
  case WM_SYSKEYDOWN:
    if (m.wParam == VK_MENU) FMenuTracking = false;
    return false;
  case WM_MOUSEMOVE:
    if (m.pt.x != state.lastMouse.x || m.pt.y != state.lastMouse.y) {
      target = FBar->ItemAtPoint(FHost.WindowToFrame(m.pt));
      state.lastMouse = m.pt;
    }
    break;
  case WM_LBUTTONDOWN:
  case WM_NCLBUTTONDOWN: {
    // A press on the bar is the bar's: the menu would end and leave the press to reopen what it
    // closed.
    const int item = FBar->ItemAtPoint(FHost.WindowToFrame(m.pt));
    if (item < 0) return false;
    PressDuringDropDown(item);
    return true;
  }
  default:
    break;
  }
  if (target >= 0 && target != state.openIndex) SwitchTo(target, TBarApproach::Neighbour);
  return false;
}

TMessageAnswer TFormMenus::Message(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_INITMENUPOPUP:
    InitMenuPopup(message.WParam);
    return TMessageAnswer::PassOn;
  case WM_MENUSELECT:
    MenuSelect(message.WParam, message.LParam);
    return TMessageAnswer::PassOn;
  case WM_MENUCHAR:
    return MenuChar(message);
  case WM_MEASUREITEM:
    return MeasureItem(message);
  case WM_DRAWITEM:
    return DrawItem(message);
  case WM_COMMAND:
    return Command(message);
  case WM_SYSCOMMAND:
    return KeyMenu(message);
  case fw::CM_MENUCHANGED:
    return MenuChanged(message);
  case fw::CM_DIALOGCHAR:
    return DialogChar(message);
  default:
    return TMessageAnswer::PassOn;
  }
}

void TFormMenus::MenuSelect(WPARAM wParam, LPARAM lParam) {
  TMenuTrackingState& state = Tracked();
  if (state.form != this) return;
  if (HIWORD(wParam) == 0xFFFF && lParam == 0) return; // the menu closes
  state.selectedMenu = reinterpret_cast<HMENU>(lParam);
  state.selectedHasSubMenu = (HIWORD(wParam) & MF_POPUP) != 0;
}

void TFormMenus::InitMenuPopup(WPARAM wParam) {
  HMENU systemMenu = ::GetSystemMenu(FHandle, FALSE);
  TellMenuKind(reinterpret_cast<HMENU>(wParam) == systemMenu ? MenuKind::System
                                                             : MenuKind::BarDropDown,
               FMenuTracking);
}

TMessageAnswer TFormMenus::MeasureItem(fw::TMessage& message) {
  auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  if (!FHost.DrawsFrame() || measure.CtlType != ODT_MENU || !FBar || !MeasureOwnerDrawn(measure))
    return TMessageAnswer::PassOn;
  message.Result = TRUE;
  return TMessageAnswer::Handled;
}

bool TFormMenus::MeasureOwnerDrawn(MEASUREITEMSTRUCT& measure) {
  fw::TMenuItem* item = FBar->Menu() ? FBar->Menu()->FindItem(measure.itemID) : nullptr;
  HDC dc = ::GetDC(FHandle);
  if (item) {
    // The framework's own size (without a handler of the item's), widened for the skin.
    auto handler = std::exchange(item->OnMeasureItem, nullptr);
    int width = 0, height = 0;
    item->MeasureItem(dc, width, height);
    item->OnMeasureItem = std::move(handler);
    measure.itemWidth = static_cast<UINT>(width + FPainter.MenuExtraWidth(FBar->Menu()->Images));
    measure.itemHeight = static_cast<UINT>(height);
  } else if (FMenuTracking || !FForm) {
    const std::wstring text = fw::MenuItemText(Tracked().trackedMenu, measure.itemID, false);
    const SIZE size = FPainter.MeasureByText(dc, text, static_cast<int>(measure.itemHeight));
    measure.itemWidth = static_cast<UINT>(size.cx);
    measure.itemHeight = static_cast<UINT>(size.cy);
  }
  ::ReleaseDC(FHandle, dc);
  return item || FMenuTracking || !FForm;
}

TMessageAnswer TFormMenus::DrawItem(fw::TMessage& message) {
  const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (!FHost.DrawsFrame() || draw.CtlType != ODT_MENU || !FBar || !DrawOwnerDrawn(draw))
    return TMessageAnswer::PassOn;
  message.Result = TRUE;
  return TMessageAnswer::Handled;
}

bool TFormMenus::DrawOwnerDrawn(const DRAWITEMSTRUCT& draw) {
  HMENU menu = reinterpret_cast<HMENU>(draw.hwndItem);
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  fw::TMenuItem* item = FBar->Menu() ? FBar->Menu()->FindItem(draw.itemID) : nullptr;
  if (!item && !FMenuTracking && FForm) return false;
  TMenuEntryView view = item ? ViewOf(*item) : ViewOf(menu, draw.itemID);
  view.menu = menu;
  // The drop-downs of a right-to-left bar read from right to left too.
  view.rightToLeft = view.rightToLeft || RightToLeft();
  if (item)
    FPainter.DrawMenuItem(view, draw.hDC, draw.rcItem, selected);
  else
    FPainter.DrawHandleItem(view, draw.hDC, draw.rcItem, selected);
  return true;
}

TMessageAnswer TFormMenus::MenuChar(fw::TMessage& message) {
  // Owner-drawn entries have no mnemonics of their own: the entry whose text has the key as
  // its accelerator is chosen here.
  if (!(HIWORD(message.WParam) & MF_POPUP)) return TMessageAnswer::PassOn;
  const LRESULT result = fw::MenuCharResult(reinterpret_cast<HMENU>(message.LParam),
                                            static_cast<wchar_t>(LOWORD(message.WParam)));
  if (HIWORD(result) == MNC_IGNORE) return TMessageAnswer::PassOn;
  message.Result = result;
  return TMessageAnswer::Handled;
}

TMessageAnswer TFormMenus::Command(fw::TMessage& message) {
  // Commands chosen in the skinned system menu come as WM_COMMAND: the window gets them as the
  // system commands they are.
  if (!FHost.SkinsFrame() || !IsRelayedSystemCommand(message.WParam, message.LParam))
    return TMessageAnswer::PassOn;
  // The bar of an MDI frame whose active child is maximized shows that child's system menu: its
  // commands are the child's, as the MDI frame's own procedure has it.
  bool maximized = false;
  const HWND child = FHost.ActiveMdiChild(&maximized);
  ::PostMessageW(child && maximized ? child : FHandle, WM_SYSCOMMAND, LOWORD(message.WParam), 0);
  message.Result = 0;
  return TMessageAnswer::Handled;
}

TMessageAnswer TFormMenus::KeyMenu(fw::TMessage& message) {
  // Alt+letter, F10 or Alt alone open the skinned bar's items.
  if (!FHost.DrawsFrame() || !OpenByKey(message.WParam, message.LParam))
    return TMessageAnswer::PassOn;
  message.Result = 1;
  return TMessageAnswer::Handled;
}

bool TFormMenus::OpenByKey(WPARAM wParam, LPARAM lParam) {
  if (FMenuTracking || (wParam & 0xFFF0) != SC_KEYMENU) return false;
  const wchar_t key = static_cast<wchar_t>(lParam);
  if (key == L' ' || key == L'-' || ::GetCapture()) return false;
  int index = -1;
  if (FBar) index = key == 0 ? 0 : FBar->FindAccelItem(key);
  if (key != 0 && index < 0) return false;
  if (index >= 0) OpenMenuItem(index, key == 0 ? TBarApproach::MenuKey : TBarApproach::Accelerator);
  return true;
}

void TFormMenus::OpenItemAt(POINT framePoint) {
  if (!FBar) return;
  const int index = FBar->ItemAtPoint(framePoint);
  if (index >= 0) OpenMenuItem(index, TBarApproach::Click);
}

TMessageAnswer TFormMenus::MenuChanged(fw::TMessage& message) {
  if (!FHost.SkinsFrame()) return TMessageAnswer::PassOn;
  message.Result = FHost.CallWindow(message);
  // The window's menu, or the form's that the bar took from it; none when the form has none.
  HMENU menu = ::GetMenu(FHandle);
  fw::TMainMenu* formMenu = FForm ? FForm->Menu() : nullptr;
  if (!menu && formMenu) menu = formMenu->Handle();
  const bool menuUpdate = !FSource.Component || FSource.Component->MenuUpdate;
  if (menuUpdate && !FKind.IsMdiChild()) BuildBar(menu, false);
  if (::GetMenu(FHandle)) ::SetMenu(FHandle, nullptr);
  FHost.RepaintFrame();
  return TMessageAnswer::Handled;
}

void TFormMenus::BuildBar(HMENU menu, bool mdiMerge) {
  const bool hadBar = HasMenuBar();
  if (!menu) {
    FBar.reset();
  } else {
    if (!FBar) FBar = std::make_unique<TWinSkinMenu>(FSource);
    FBar->BuildItems(FHandle, menu, FForm ? FForm->Menu() : nullptr, mdiMerge);
  }
  if (HasMenuBar() != hadBar) FHost.FitMenuBar();
}

void TFormMenus::MdiCreate() {
  // Menu changes wait for the merge of the new child's menu (WM_MDISETMENU).
  if (TSkinData* component = FSource.Component) component->MenuUpdate = false;
}

void TFormMenus::MdiSetMenu(HMENU frameMenu) {
  // The client sets the frame's menu, unless it believes the window shows it already. A frame
  // that had no menu gets a bar now rather than lose the menu.
  HMENU shown = ::GetMenu(FHandle);
  if (frameMenu) BuildBar(shown ? shown : frameMenu, true);
  ::SetMenu(FHandle, nullptr);
  FHost.RepaintFrame();
}

void TFormMenus::MdiDestroyed(bool last) {
  if (!last || !FBar) return;
  GiveBackMenuUpdate();
  HMENU menu = ::GetMenu(FHandle);
  BuildBar(menu ? menu : FBar->MenuHandle(), false);
  if (::GetMenu(FHandle)) ::SetMenu(FHandle, nullptr);
  FHost.RepaintFrame();
}

TMessageAnswer TFormMenus::DialogChar(fw::TMessage& message) {
  message.Result = FHost.CallWindow(message);
  if (message.Result) return TMessageAnswer::Handled; // the window's controls used it
  if (FHost.DrawsFrame() && OpenAccelItem(static_cast<wchar_t>(message.WParam))) {
    message.Result = 1;
    return TMessageAnswer::Handled;
  }
  if (FKind.IsMdiChild()) {
    HWND frame = ::GetParent(::GetParent(FHandle));
    message.Result =
        frame ? ::SendMessageW(frame, fw::CM_DIALOGCHAR, message.WParam, message.LParam) : 0;
    return TMessageAnswer::Handled;
  }
  // A secondary form's accelerators may be the main form's, unless it runs modally.
  fw::TForm* mainForm = fw::Application ? fw::Application->MainForm : nullptr;
  if (mainForm && mainForm != FForm && mainForm->HandleAllocated() && !(FForm && FForm->Modal()))
    message.Result =
        ::SendMessageW(mainForm->Handle(), fw::CM_DIALOGCHAR, message.WParam, message.LParam);
  return TMessageAnswer::Handled;
}

bool TFormMenus::OpenAccelItem(wchar_t key) {
  if (!FBar) return false;
  const bool altOnly =
      ::GetKeyState(VK_MENU) < 0 && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0;
  const int index = FBar->FindAccelItem(key);
  if (index < 0 || !altOnly) return false;
  // The item opens through the ordinary mouse path.
  RECT w;
  ::GetWindowRect(FHandle, &w);
  const TRect& b = FBar->FItems[static_cast<size_t>(index)].FBounds;
  ::PostMessageW(FHandle, WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(w.left + b.Left + 1, w.top + b.Top + 1));
  return true;
}

void TFormMenus::PopupSystemMenu(POINT screen, int windowState) {
  HWND wnd = FHandle;
  HMENU real = ::GetSystemMenu(wnd, FALSE);
  if (!real) return;
  const TLiveness::TWatch alive = FLiveness.Watch();
  auto menu = std::make_shared<fw::TPopupMenu>(nullptr);
  menu->Tag = kSystemMenuTag;
  menu->Images = FSource.Component ? FSource.Component->MenuGlyphs() : nullptr;
  menu->RightToLeft = FKind.rightToLeft;
  const bool images = menu->Images != nullptr;
  const int count = ::GetMenuItemCount(real);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID;
    ::GetMenuItemInfoW(real, static_cast<UINT>(i), TRUE, &info);
    std::wstring caption = fw::MenuItemText(real, static_cast<UINT>(i), true);
    if (caption.empty()) caption = L"-";
    auto item = std::make_unique<fw::TMenuItem>(caption);
    item->Tag = static_cast<int>(info.wID);
    const SystemMenuEntry entry =
        SystemMenuEntryFor(info.wID, windowState, FKind.caps, (info.fState & MFS_DISABLED) != 0);
    item->SetEnabled(entry.enabled);
    item->SetImageIndex(entry.image);
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    const UINT command = info.wID;
    item->OnClick = [wnd, command](fw::TObject*) {
      ::PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
    };
    // The entries are drawn by this object only while it lives.
    item->OnDrawItem = [this, alive](fw::TObject* sender, HDC dc, const RECT& rect, bool selected) {
      if (alive)
        FPainter.DrawMenuItem(ViewOf(*static_cast<fw::TMenuItem*>(sender)), dc, rect, selected);
    };
    item->OnMeasureItem = [this, alive, images](fw::TObject*, HDC, int& width, int&) {
      if (alive) width += FPainter.PopupExtraWidth(images);
    };
    menu->Items().Add(std::move(item));
  }
  menu->SetOwnerDraw(true);
  menu->Alignment = FKind.rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  FSysMenu = menu;
  TellMenuKind(MenuKind::System, false);
  FSystemMenuShown = true;
  // The menu lives on `menu` until its loop ended, even when that loop freed this object.
  menu->Popup(screen.x, screen.y);
  if (alive) FSystemMenuShown = false;
}

} // namespace skin
