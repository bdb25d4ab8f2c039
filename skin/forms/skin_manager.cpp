#include "skin/forms/skin_manager.h"

#include "framework/form.h"
#include "skin/common/window_class.h"
#include "skin/controls/core/control_kinds.h"
#include "skin/forms/core/manager_rules.h"
#include "skin/skin_messages.h"

#include <algorithm>

namespace skin {

namespace {

constexpr wchar_t kTimerClass[] = L"skin.TSkinManage";
constexpr UINT_PTR kActionTimer = 1;

std::unique_ptr<TSkinManage>& Instance() {
  static std::unique_ptr<TSkinManage> instance;
  return instance;
}

HWND OwnerWindow(const TSkinData* data) {
  auto* owner = dynamic_cast<fw::TWinControl*>(data->Owner());
  return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

} // namespace

TSkinManage* SkinManager() {
  return Instance().get();
}

TSkinManage::TSkinManage() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TimerWndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kTimerClass;
  ::RegisterClassW(&wc);
  FTimerWindow = ::CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
  ::SetWindowLongPtrW(FTimerWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TSkinManage::~TSkinManage() {
  StartState = TStartState::ShuttingDown;
  Enabled = false;
  if (FThreadHook) FThreadHook->Silence();
  if (FTimerWindow) {
    ::KillTimer(FTimerWindow, kActionTimer);
    ::DestroyWindow(FTimerWindow);
  }
  Forms.clear(); // each form skin lets its window go
  PopupMenus.clear();
  FThreadHook.reset();
}

void TSkinManage::InstallHook() {
  if (!FThreadHook)
    FThreadHook = std::make_unique<TThreadHook>(
        WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) { OnHook(code, wParam, lParam); });
}

void TSkinManage::OnHook(int code, WPARAM wParam, LPARAM lParam) {
  if (StartState == TStartState::ShuttingDown) return;
  HWND wnd = reinterpret_cast<HWND>(wParam);
  switch (code) {
  case HCBT_CREATEWND: {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    const std::string cls = WindowClassName(wnd);
    // A child window made inside a skinned window after its start is offered to that window's
    // skin as the kinds' rules say: matched at once (a size grip), matched by its class once it
    // exists (a file list made anew when a file dialog changes folders), or, by default, taken
    // once it exists if it is a control of ours, made or made again.
    const TLateOffer late = LateOfferFor(cls, static_cast<std::uint32_t>(create->lpcs->style));
    if (late == TLateOffer::AtCreation)
      if (TWinSkinForm* parent = FindSkinForm(create->lpcs->hwndParent))
        parent->OfferChildWindow(wnd);
    if (create->lpcs->style & WS_CHILD) {
      const UINT offer = late == TLateOffer::AsWindow ? SM_OFFERCHILD : SM_OFFERCONTROL;
      if (TWinSkinForm* root = FindSkinForm(::GetAncestor(create->lpcs->hwndParent, GA_ROOT)))
        ::PostMessageW(root->Handle(), offer, reinterpret_cast<WPARAM>(wnd), 0);
    }
    if (!(create->lpcs->style & WS_CHILD) && cls == "#32768") SkinPopupMenu(wnd);
    if (create->lpcs->dwExStyle & WS_EX_MDICHILD) SkinWindow(wnd);
    break;
  }
  case HCBT_DESTROYWND:
    ReleasePopupMenu(wnd);
    break;
  case HCBT_ACTIVATE:
    if (StartState == TStartState::NotStarted) StartState = TStartState::Running;
    SkinWindow(wnd);
    break;
  default:
    break;
  }
}

void TSkinManage::RegisterSkinData(TSkinData* data) {
  if (std::find(SkinDatas.begin(), SkinDatas.end(), data) != SkinDatas.end()) return;
  SkinDatas.push_back(data);
  if (!MainSkinData && data->SkinFormtype == sfMainform) MainSkinData = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data) {
  SkinDatas.erase(std::remove(SkinDatas.begin(), SkinDatas.end(), data), SkinDatas.end());
  if (PendingSkinData == data) PendingSkinData = nullptr;
  if (MainSkinData == data) {
    MainSkinData = nullptr;
    for (TSkinData* other : SkinDatas)
      if (other->SkinFormtype == sfMainform) {
        MainSkinData = other;
        break;
      }
  }
  // Form skins read the component's descriptors: they go with it.
  for (size_t i = Forms.size(); i-- > 0;)
    if (Forms[i].owner == data) ReleaseForm(i);
}

void TSkinManage::ReleaseForm(size_t index) {
  Forms[index].skin->Unhook();
  Forms.erase(Forms.begin() + static_cast<std::ptrdiff_t>(index));
}

TWinSkinForm* TSkinManage::FindSkinForm(HWND wnd) const {
  for (const TSkinnedForm& form : Forms)
    if (form.skin->Handle() == wnd && form.skin->State() != TFormLife::Destroyed)
      return form.skin.get();
  return nullptr;
}

void TSkinManage::Purge() {
  if (StartState == TStartState::ShuttingDown) return;
  for (size_t i = Forms.size(); i-- > 0;)
    if (Forms[i].skin->State() == TFormLife::Destroyed)
      Forms.erase(Forms.begin() + static_cast<std::ptrdiff_t>(i));
}

TSkinData* TSkinManage::ChooseSkinData(HWND wnd) const {
  std::vector<RegisteredSkinData> registered;
  for (const TSkinData* data : SkinDatas)
    registered.push_back({data->SkinFormtype, reinterpret_cast<std::uintptr_t>(OwnerWindow(data))});
  const int index =
      ChooseSkinDataIndex(registered, reinterpret_cast<std::uintptr_t>(wnd), WindowClassName(wnd));
  return index < 0 ? nullptr : SkinDatas[static_cast<size_t>(index)];
}

bool TSkinManage::SkinWindow(HWND wnd) {
  if (!Enabled || !::IsWindow(wnd)) return false;
  Purge();
  WindowFacts facts;
  facts.answersSkinned = ::SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1;
  facts.alreadyListed = FindSkinForm(wnd) != nullptr;
  if (auto* control = fw::TWinControl::FromHandle(wnd)) {
    facts.hasForm = true;
    facts.formTag = control->Tag;
  }
  facts.style = static_cast<std::uint32_t>(::GetWindowLongW(wnd, GWL_STYLE));
  facts.exStyle = static_cast<std::uint32_t>(::GetWindowLongW(wnd, GWL_EXSTYLE));
  facts.className = WindowClassName(wnd);
  if (HWND parent = ::GetParent(wnd)) facts.parentClassName = WindowClassName(parent);
  facts.programInstance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(wnd, GWLP_HINSTANCE)) ==
                          ::GetModuleHandleW(nullptr);
  RECT r;
  ::GetWindowRect(wnd, &r);
  facts.width = r.right - r.left;
  facts.height = r.bottom - r.top;
  const TSkinOptions options = MainSkinData ? MainSkinData->Options : DefaultSkinOptions();
  if (CheckSkinWindow(facts, Enabled, Forcing, MainSkinData != nullptr, options) !=
      SkinVerdict::Skin)
    return false;
  const std::wstring wideClassName(facts.className.begin(), facts.className.end());
  if (MainSkinData) {
    bool allow = true;
    MainSkinData->AllowWindow(wnd, wideClassName, allow);
    if (!allow) return false;
  }
  TSkinData* data = ChooseSkinData(wnd);
  if (!data || data->SkinMissing()) return false;

  auto form = std::make_unique<TWinSkinForm>(
      TFormSkinSource{&data->Elements(), data->SkinControls, data->Options, data});
  form->FName = wideClassName;
  if (!form->HookWindow(wnd)) return false;
  Forms.push_back({std::move(form), data});
  ::PostMessageW(wnd, SM_STARTSKIN, 0, 1000);
  return true;
}

bool TSkinManage::SkinPopupMenu(HWND wnd) {
  if (!Enabled || ::SendMessageW(wnd, SM_ISSKINNED, 0, 0) == 1) return false;
  for (const auto& popup : PopupMenus)
    if (popup->Handle() == wnd) return false;
  TSkinData* data = ChooseSkinData(wnd);
  const TMenuOpening opening = Opening();
  if (!data || data->SkinMissing() || !SkinsMenuKind(data->SkinControls, opening.kind))
    return false;
  // A popup menu tagged to keep the system's look keeps it, its sub-menus too.
  if (opening.kind == MenuKind::Popup)
    if (const fw::TPopupMenu* shown = fw::TPopupMenu::Showing())
      if (shown->Tag == data->DisableTag) return false;
  auto popup = std::make_unique<TWinSkinPopMenu>(
      TFormSkinSource{&data->Elements(), data->SkinControls, data->Options, data});
  if (!popup->Hook(wnd, 0)) return false;
  popup->FFromMenuBar = opening.fromBar;
  PopupMenus.push_back(std::move(popup));
  return true;
}

void TSkinManage::ReleasePopupMenu(HWND wnd) {
  for (size_t i = PopupMenus.size(); i-- > 0;)
    if (PopupMenus[i]->Handle() == wnd)
      PopupMenus.erase(PopupMenus.begin() + static_cast<std::ptrdiff_t>(i));
  if (PopupMenus.empty()) FLoopOpening = {};
}

TMenuOpeningScope::TMenuOpeningScope(TMenuOpening opening)
    : FManager(SkinManager()), FOpening(opening) {
  if (!FManager) return;
  FPrevious = FManager->FTracking;
  FManager->FTracking = &FOpening;
}

TMenuOpeningScope::~TMenuOpeningScope() {
  // The manager may have gone inside the tracking's loop (the program ended it).
  if (FManager && FManager == SkinManager() && FManager->FTracking == &FOpening)
    FManager->FTracking = FPrevious;
}

TWinSkinPopMenu* TSkinManage::PopupFor(HMENU menu) {
  for (auto it = PopupMenus.rbegin(); it != PopupMenus.rend(); ++it)
    if ((*it)->MenuHandle() == menu) return it->get();
  return nullptr;
}

void TSkinManage::SkinForm(fw::TForm* form) {
  if (!form || !form->HandleAllocated()) return;
  HWND wnd = form->Handle();
  if (!::IsWindowVisible(wnd) || (::GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD)) return;
  SkinWindow(wnd);
}

namespace {
BOOL CALLBACK CollectForm(HWND wnd, LPARAM list) {
  if (auto* form = dynamic_cast<fw::TForm*>(fw::TWinControl::FromHandle(wnd)))
    reinterpret_cast<std::vector<fw::TForm*>*>(list)->push_back(form);
  return TRUE;
}
} // namespace

std::vector<fw::TForm*> TSkinManage::ApplicationForms() const {
  std::vector<fw::TForm*> forms;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectForm, reinterpret_cast<LPARAM>(&forms));
  return forms;
}

void TSkinManage::RefreshSkin(TSkinData* data) {
  // The component's descriptors were replaced: the caption buttons are made anew at once, so no
  // paint before the change is applied reads the old ones.
  for (size_t i = 0; i < Forms.size(); ++i)
    if (Forms[i].owner == data) Forms[i].skin->CalcFrame();
}

void TSkinManage::SetMdiMaximized(bool maximized) {
  // Switching frames resizes windows, whose messages may report the state again: those echoes are
  // not news.
  if (maximized == MdiMaximized || FSwitchingMdiFrames) return;
  MdiMaximized = maximized;
  if (MainSkinData && MainSkinData->Options.Contains(xoMDIChildBorder)) return;
  FSwitchingMdiFrames = true;
  for (size_t i = 0; i < Forms.size(); ++i) {
    TWinSkinForm* form = Forms[i].skin.get();
    if (form->MdiKind() != kMdiChild || form->State() == TFormLife::Destroyed) continue;
    switch (MdiChildFrameStep(maximized, form->WindowState())) {
    case MdiFrameStep::Suspend:
      form->DropRegion();
      form->SetSkinFrame(false);
      break;
    case MdiFrameStep::SwitchOn:
      form->SetSkinFrame(true);
      break;
    case MdiFrameStep::Resume:
      form->ResumeSkinFrame();
      break;
    }
  }
  FSwitchingMdiFrames = false;
}

void TSkinManage::Request(TSkinData* data, TSkinAction action, int delayMs) {
  PendingAction = action;
  PendingSkinData = data;
  if (StartState != TStartState::NotStarted) {
    // Setting the timer again restarts it: a newer request replaces an older one.
    ::SetTimer(FTimerWindow, kActionTimer, static_cast<UINT>(delayMs), nullptr);
    return;
  }
  if (action == kSkinOn) Enabled = true;
  if (action == kSkinOff) Enabled = false;
}

LRESULT CALLBACK TSkinManage::TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kActionTimer) {
    ::KillTimer(wnd, kActionTimer); // one shot
    if (auto* self = reinterpret_cast<TSkinManage*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA))) {
      try {
        self->RunPendingAction();
      } catch (...) {
        // A failing skin leaves the windows as they are.
      }
    }
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

void TSkinManage::RunPendingAction() {
  TSkinData* data = PendingSkinData;
  if (!data) return;
  // The new skin reaches the frame, its region (rebuilt even at an unchanged size: other pixels
  // may be transparent now) and every control skin.
  auto redraw = [](TWinSkinForm& form) { ::SendMessageW(form.Handle(), SM_SKINCHANGED, 0, 0); };
  const bool onlyThisForm = data->SkinFormtype == sfOnlyThisForm;
  switch (PendingAction) {
  case kSkinOn: {
    Enabled = Forcing = true;
    if (!onlyThisForm) Purge();
    const auto forms = ApplicationForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
      if (!onlyThisForm || *it == data->Owner()) SkinForm(*it);
    Forcing = false;
    break;
  }
  case kSkinOff:
    Enabled = false;
    Purge();
    if (onlyThisForm) {
      for (size_t i = Forms.size(); i-- > 0;)
        if (Forms[i].owner == data) {
          ReleaseForm(i);
          break;
        }
    } else {
      while (!Forms.empty())
        ReleaseForm(0);
    }
    break;
  case kSkinChanged:
    Purge();
    for (size_t i = 0; i < Forms.size(); ++i)
      if (Forms[i].owner == data) {
        redraw(*Forms[i].skin);
        if (onlyThisForm) break;
      }
    break;
  case kSkinPurge:
    Purge();
    break;
  case kReskinWindow:
    // Not a change of the skin: no event, and the component stays pending.
    Reskin(ReskinWindow);
    return;
  }
  data->DoSkinChanged();
  PendingSkinData = nullptr;
}

void TSkinManage::StartForComponent() {
  Enabled = true;
  // However many such components there are, the manager runs (a count here would soon read as
  // shutting down).
  if (StartState != TStartState::ShuttingDown) StartState = TStartState::Running;
}

void TSkinManage::Reskin(HWND wnd) {
  if (TWinSkinForm* form = FindSkinForm(wnd)) {
    form->Unhook();
    form->MarkDestroyed();
  }
  Purge();
  SkinWindow(wnd);
}

TSkinManagerScope::TSkinManagerScope() {
  TSkinManagerLink& link = SkinManagerLink();
  link.EnsureManager = [] {
    if (!Instance()) Instance() = std::make_unique<TSkinManage>();
  };
  link.Register = [](TSkinData* data) { Instance()->RegisterSkinData(data); };
  link.Unregister = [](TSkinData* data) {
    if (Instance()) Instance()->UnregisterSkinData(data);
  };
  link.InstallHook = [] { Instance()->InstallHook(); };
  link.RequestAction = [](TSkinData* data, TSkinAction action, int delayMs) {
    Instance()->Request(data, action, delayMs);
  };
  link.SetStartState = [](TStartState state) { Instance()->StartState = state; };
  link.EnableAndStart = [] { Instance()->StartForComponent(); };
  link.SkinOwnerNow = [](TSkinData* data) {
    Instance()->SkinForm(dynamic_cast<fw::TForm*>(data->Owner()));
  };
  link.RefreshSkinObjects = [](TSkinData* data) { Instance()->RefreshSkin(data); };
  link.Running = [] { return Instance() && Instance()->StartState != TStartState::NotStarted; };
}

TSkinManagerScope::~TSkinManagerScope() {
  Instance().reset();
  SkinManagerLink() = TSkinManagerLink{};
}

} // namespace skin
