#include "skin/forms/form_menus.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "skin/common/thread_hook.h"
#include "skin/data/skin_data.h"
#include "skin/forms/form_shared.h"
#include "skin/forms/skin_manager.h"
#include "skin/skin_messages.h"

#include <windowsx.h>

#include <functional>
#include <utility>

namespace skin {

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
  if (FTracking) FTracking->menus = nullptr;
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
  if (!FBar->FItems[static_cast<size_t>(FHotItem)].FBounds.Contains(framePoint.x, framePoint.y))
    SetHot(-1, TButtonState::Normal);
}

TMessageAnswer TFormMenus::BarMouse(fw::TMessage& message) {
  if (!FHost.DrawsFrame()) return TMessageAnswer::PassOn;
  const UINT msg = message.Msg;
  const POINT framePoint =
      FHost.WindowToFrame({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
  if (FHost.CaptionButtonAt(framePoint)) {
    HoverTick(framePoint); // the caption button's now: the bar's hot item goes
    return TMessageAnswer::PassOn;
  }
  if (msg == WM_NCMOUSEMOVE && !FHost.FrameActive()) return TMessageAnswer::PassOn;
  if (NonClientMouse(msg, framePoint) != TMessageAnswer::Handled) return TMessageAnswer::PassOn;
  if (msg == WM_NCMOUSEMOVE) FHost.CaptionHoverEnds();
  return Answer(message, 0);
}

TMessageAnswer TFormMenus::BarClick(fw::TMessage& message) {
  if (!FHost.SkinsFrame()) return TMessageAnswer::PassOn;
  const POINT p = FHost.WindowToFrame({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
  if (FBar && !FHost.CaptionButtonAt(p)) {
    const int index = FBar->ItemAtPoint(p);
    if (index >= 0) OpenMenuItem(index, TBarApproach::Click);
  }
  return Answer(message, 0);
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

TMessageAnswer TFormMenus::Message(fw::TMessage& message) {
  switch (message.Msg) {
  case WM_NCMOUSEMOVE:
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_NCLBUTTONDBLCLK:
    return BarMouse(message);
  case SM_MENUBARCLICK:
    return BarClick(message);
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

void TFormMenus::InitMenuPopup(WPARAM wParam) {
  // A tracking of ours hands its opening over itself; a loop the system runs is told here.
  TSkinManage* manager = SkinManager();
  if (!manager) return;
  const bool systemMenu = reinterpret_cast<HMENU>(wParam) == ::GetSystemMenu(FHandle, FALSE);
  manager->SystemMenuLoopOpens(
      {systemMenu ? MenuKind::System : MenuKind::BarDropDown, FMenuTracking});
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
    const std::wstring text = fw::MenuItemText(FDropDownMenu, measure.itemID, false);
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
  if (!FHost.DrawsFrame() || fw::SysCommandOf(message.WParam) != SC_KEYMENU)
    return TMessageAnswer::PassOn;
  if (message.LParam == ' ') {
    // Alt+Space: the system would pop its menu up where it draws its own caption.
    POINT origin{0, 0};
    ::ClientToScreen(FHandle, &origin);
    FHost.ShowSystemMenu(origin);
    return Answer(message, 0);
  }
  // Alt+letter, F10 or Alt alone open the skinned bar's items.
  if (!OpenByKey(message.LParam)) return TMessageAnswer::PassOn;
  return Answer(message, 1);
}

bool TFormMenus::OpenByKey(LPARAM lParam) {
  if (FMenuTracking) return false;
  const wchar_t key = static_cast<wchar_t>(lParam);
  if (key == L' ' || key == L'-' || ::GetCapture()) return false;
  int index = -1;
  if (FBar) index = key == 0 ? 0 : FBar->FindAccelItem(key);
  if (key != 0 && index < 0) return false;
  if (index >= 0) OpenMenuItem(index, key == 0 ? TBarApproach::MenuKey : TBarApproach::Accelerator);
  return true;
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

} // namespace skin
