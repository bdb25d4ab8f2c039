#include "skin/forms/form_menus.h"

#include "skin/data/skin_data.h"
#include "skin/forms/skin_manager.h"

namespace skin {

namespace {

constexpr int kSystemMenuTag = 33333;

} // namespace

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
  const TMenuOpeningScope opening({MenuKind::System, false});
  FSystemMenuShown = true;
  // The menu lives on `menu` until its loop ended, even when that loop freed this object.
  menu->Popup(screen.x, screen.y);
  if (alive) FSystemMenuShown = false;
}

} // namespace skin
