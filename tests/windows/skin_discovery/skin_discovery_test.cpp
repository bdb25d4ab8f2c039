// Control discovery in windows the manager skins: what each control of a framework form and each
// child window of a system dialog is decided to become, with real windows and the program's own
// skin.
#include "framework/comctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "skin/controls/button.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace skin;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

// A container whose class name marks it as a group of radio buttons.
class TMyRadioGroup : public fw::TWinControl {
public:
  using fw::TWinControl::TWinControl;
  std::wstring ClassName() const override { return L"TMyRadioGroup"; }
};

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

class SkinDiscovery : public ::testing::Test {
protected:
  void SetUp() override {
    data = testing_support::ReadProgramSkin();
    data->Loaded();
    ASSERT_FALSE(data->SkinMissing());
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Discovery");
    form->SetBounds(100, 100, 420, 360);
  }
  void TearDown() override {
    form.reset();
    data.reset();
  }

  template <class T> T* Add(fw::TWinControl* parent, int top, int tag = 0) {
    auto* control = new T(form.get());
    control->SetParent(parent);
    control->SetBounds(10, top, 150, 24);
    control->Tag = tag;
    return control;
  }

  // Shows the form and waits until its skin has started.
  TWinSkinForm& ShowAndSkin() {
    form->Show();
    ::SetForegroundWindow(form->Handle());
    ::SetActiveWindow(form->Handle());
    TWinSkinForm* skinForm = nullptr;
    PumpUntil(
        [&] {
          skinForm = skin::SkinManager()->FindSkinForm(form->Handle());
          return skinForm && skinForm->State() == skin::TFormLife::Running;
        },
        3000);
    EXPECT_NE(skinForm, nullptr);
    return *skinForm;
  }

  static const TDiscoveredControl* Find(const TWinSkinForm& skinForm, const void* control) {
    const auto& found = skinForm.DiscoveredControls();
    auto it = std::find_if(found.begin(), found.end(),
                           [&](const TDiscoveredControl& d) { return d.Control == control; });
    return it == found.end() ? nullptr : &*it;
  }
  static SkinnerKind KindOf(const TWinSkinForm& skinForm, const void* control) {
    const TDiscoveredControl* found = Find(skinForm, control);
    return found ? found->Decision.kind : SkinnerKind::None;
  }
  static int IndexOf(const TWinSkinForm& skinForm, const void* control) {
    const auto& found = skinForm.DiscoveredControls();
    for (size_t i = 0; i < found.size(); ++i)
      if (found[i].Control == control) return static_cast<int>(i);
    return -1;
  }

  TSkinManagerScope scope;
  std::unique_ptr<TSkinData> data;
  std::unique_ptr<fw::TForm> form;
};

} // namespace

TEST_F(SkinDiscovery, EachControlOfAFormGetsItsKindOnce) {
  auto* button = Add<fw::TButton>(form.get(), 10);
  auto* edit = Add<fw::TEdit>(form.get(), 40);
  auto* memo = Add<fw::TMemo>(form.get(), 70);
  auto* list = Add<fw::TListBox>(form.get(), 100);
  auto* combo = Add<fw::TComboBox>(form.get(), 130);
  auto* radio = Add<fw::TRadioButton>(form.get(), 160);
  auto* track = Add<fw::TTrackBar>(form.get(), 190);
  auto* label = Add<fw::TLabel>(form.get(), 220);
  auto* group = Add<fw::TGroupBox>(form.get(), 250);
  group->SetBounds(200, 10, 200, 120);
  auto* inner = Add<fw::TButton>(group, 20);
  auto* disabled = Add<fw::TButton>(form.get(), 280, data->DisableTag);

  const TWinSkinForm& skinForm = ShowAndSkin();
  EXPECT_EQ(KindOf(skinForm, button), "Button"_kind);
  EXPECT_EQ(KindOf(skinForm, edit), "Edit"_kind);
  EXPECT_EQ(KindOf(skinForm, memo), "Scrollbar"_kind);
  EXPECT_EQ(KindOf(skinForm, list), "Scrollbar"_kind);
  EXPECT_EQ(KindOf(skinForm, combo), "ComboBox"_kind);
  EXPECT_EQ(KindOf(skinForm, radio), "RadioButton"_kind);
  EXPECT_EQ(KindOf(skinForm, track), "TrackBar"_kind);
  ASSERT_NE(Find(skinForm, label), nullptr); // looked at, no rule for it
  EXPECT_EQ(KindOf(skinForm, label), SkinnerKind::None);
  EXPECT_EQ(KindOf(skinForm, group), "GroupBox"_kind);
  EXPECT_EQ(KindOf(skinForm, inner), "Button"_kind);
  // A group box's children are discovered before the group itself.
  EXPECT_LT(IndexOf(skinForm, inner), IndexOf(skinForm, group));
  EXPECT_EQ(Find(skinForm, disabled), nullptr);
  EXPECT_EQ(Find(skinForm, button)->Window, button->Handle());

  // The components walk and the tab-order walk meet every control; each is decided once.
  const auto& found = skinForm.DiscoveredControls();
  for (const TDiscoveredControl& d : found)
    EXPECT_EQ(std::count_if(found.begin(), found.end(),
                            [&](const TDiscoveredControl& o) { return o.Control == d.Control; }),
              1)
        << d.ClassName;
  // The kinds that have a control skin got one; the others keep their own look.
  EXPECT_EQ(::SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(radio->Handle(), SM_ISSKINNED, 0, 0), 1);
  EXPECT_NE(::SendMessageW(disabled->Handle(), SM_ISSKINNED, 0, 0), 1);
}

TEST_F(SkinDiscovery, ADisabledRadioGroupKeepsAllItsButtonsUnskinned) {
  auto* group = Add<TMyRadioGroup>(form.get(), 10, data->DisableTag);
  group->SetBounds(10, 10, 200, 100);
  auto* first = Add<fw::TRadioButton>(group, 10);
  auto* second = Add<fw::TRadioButton>(group, 40);
  auto* outside = Add<fw::TRadioButton>(form.get(), 150);

  const TWinSkinForm& skinForm = ShowAndSkin();
  EXPECT_EQ(first->Tag, data->DisableTag);
  EXPECT_EQ(second->Tag, data->DisableTag);
  EXPECT_EQ(Find(skinForm, group), nullptr);
  EXPECT_EQ(Find(skinForm, first), nullptr);
  EXPECT_EQ(Find(skinForm, second), nullptr);
  EXPECT_EQ(KindOf(skinForm, outside), "RadioButton"_kind);
}

TEST_F(SkinDiscovery, TheClassMapAndTheSkinnedMembersDecideFirst) {
  data->SetSkin3rd(
      {L"TButtonX=button", L"TButton=nil", L"TListBox=combobox", L"TMyRadioGroup=radiogroup"});
  data->SkinControls.Exclude(xcEdit);
  auto* button = Add<fw::TButton>(form.get(), 10);
  auto* list = Add<fw::TListBox>(form.get(), 40);
  auto* edit = Add<fw::TEdit>(form.get(), 100);
  auto* group = Add<TMyRadioGroup>(form.get(), 130);
  group->SetBounds(200, 10, 200, 100);
  auto* choice = Add<fw::TRadioButton>(group, 10);

  const TWinSkinForm& skinForm = ShowAndSkin();
  ASSERT_NE(Find(skinForm, button), nullptr);
  EXPECT_EQ(KindOf(skinForm, button), SkinnerKind::None); // "nil", not the TButtonX line
  EXPECT_TRUE(Find(skinForm, button)->Decision.fromClassMap);
  EXPECT_EQ(KindOf(skinForm, list), "ComboBox"_kind);
  EXPECT_EQ(KindOf(skinForm, edit), SkinnerKind::None); // its member is switched off
  // A radio group's buttons get their skins before the group.
  EXPECT_EQ(KindOf(skinForm, group), "GroupBox"_kind);
  EXPECT_EQ(KindOf(skinForm, choice), "RadioButton"_kind);
  EXPECT_LT(IndexOf(skinForm, choice), IndexOf(skinForm, group));
}

TEST_F(SkinDiscovery, TheApplicationsHandlerMaySkinAControlItself) {
  fw::TComponent ownSkin(nullptr);
  std::vector<std::wstring> classes;
  fw::TComponent* sender = nullptr;
  data->OnSkinControl = [&](fw::TComponent* from, TSkinData* skinData, fw::TComponent* container,
                            fw::TComponent* control, const std::wstring& controlClass,
                            fw::TComponent*& skinned) {
    sender = from;
    EXPECT_EQ(skinData, data.get());
    EXPECT_EQ(container, form.get());
    classes.push_back(controlClass);
    if (dynamic_cast<fw::TEdit*>(control)) skinned = &ownSkin;
  };
  auto* edit = Add<fw::TEdit>(form.get(), 10);
  auto* button = Add<fw::TButton>(form.get(), 40);

  TWinSkinForm& skinForm = ShowAndSkin();
  EXPECT_EQ(sender, &skinForm);
  EXPECT_NE(std::find(classes.begin(), classes.end(), L"TEDIT"), classes.end());
  EXPECT_NE(std::find(classes.begin(), classes.end(), L"TBUTTON"), classes.end());
  ASSERT_NE(Find(skinForm, edit), nullptr);
  EXPECT_EQ(Find(skinForm, edit)->HandlerSkin, &ownSkin);
  EXPECT_EQ(KindOf(skinForm, edit), SkinnerKind::None);
  EXPECT_EQ(KindOf(skinForm, button), "Button"_kind); // the handler gave nothing
}

TEST_F(SkinDiscovery, DecisionsTakeEffectAndAHandlersControlSkinIsAttached) {
  data->SetSkin3rd({L"TLabel=panel"}); // a label treated as a panel becomes transparent first
  auto* given = new TSkinButton;       // handed to the window skin once it is attached
  data->OnSkinControl = [&](fw::TComponent*, TSkinData*, fw::TComponent*, fw::TComponent* control,
                            const std::wstring&, fw::TComponent*& skinned) {
    if (control->Tag == 7) skinned = given;
  };
  auto* label = Add<fw::TLabel>(form.get(), 10);
  auto* button = Add<fw::TButton>(form.get(), 40, 7);
  TWinSkinForm& skinForm = ShowAndSkin();
  EXPECT_TRUE(label->Transparent);
  EXPECT_EQ(::SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(given->Control(), button);
  EXPECT_NE(std::find_if(skinForm.Controls().begin(), skinForm.Controls().end(),
                         [&](const auto& s) { return s.get() == given; }),
            skinForm.Controls().end());
}

TEST_F(SkinDiscovery, SkinOffAndOnAgainWithALiveForm) {
  int clicks = 0;
  auto* button = Add<fw::TButton>(form.get(), 10);
  button->OnClick = [&](fw::TObject*) { ++clicks; };
  auto* check = Add<fw::TCheckBox>(form.get(), 40);
  ShowAndSkin();
  auto click = [&] {
    ::SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpFor(50);
  };
  auto skinned = [&] {
    return ::SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0) == 1 &&
           ::SendMessageW(check->Handle(), SM_ISSKINNED, 0, 0) == 1;
  };
  ASSERT_TRUE(skinned());
  click();
  data->SetActive(false);
  ASSERT_TRUE(
      PumpUntil([&] { return ::SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0) == 0; }, 3000));
  EXPECT_EQ(::SendMessageW(check->Handle(), SM_ISSKINNED, 0, 0), 0);
  click();
  data->SetActive(true);
  ::SetForegroundWindow(form->Handle());
  ASSERT_TRUE(PumpUntil(skinned, 3000));
  click();
  EXPECT_EQ(clicks, 3);
}

TEST_F(SkinDiscovery, ChildWindowsOfASystemDialogAreMatchedByClassAndStyle) {
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } templ{};
  templ.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  templ.t.cx = 260;
  templ.t.cy = 200;
  HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(L"user32.dll"), &templ.t, nullptr,
                                             EmptyDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  int y = 0;
  auto child = [&](HWND parent, const wchar_t* cls, DWORD style) {
    y += 22;
    return ::CreateWindowExW(0, cls, L"x", WS_CHILD | WS_VISIBLE | style, 5, y, 120, 20, parent,
                             nullptr, nullptr, nullptr);
  };
  HWND push = child(dialog, L"BUTTON", BS_PUSHBUTTON);
  HWND check = child(dialog, L"BUTTON", BS_AUTOCHECKBOX);
  HWND radio = child(dialog, L"BUTTON", BS_AUTORADIOBUTTON);
  HWND groupBox = child(dialog, L"BUTTON", BS_GROUPBOX);
  HWND ownerDrawn = child(dialog, L"BUTTON", BS_OWNERDRAW);
  HWND dropDown = child(dialog, L"COMBOBOX", CBS_DROPDOWNLIST);
  HWND simple = child(dialog, L"COMBOBOX", CBS_SIMPLE);
  HWND edit = child(dialog, L"EDIT", WS_BORDER);
  HWND tree = child(dialog, L"SysTreeView32", 0);
  HWND embedded = child(dialog, L"#32770", 0);
  HWND nested = child(embedded, L"BUTTON", BS_PUSHBUTTON);

  ::ShowWindow(dialog, SW_SHOW);
  ::SetActiveWindow(dialog);
  TWinSkinForm* skinForm = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        skinForm = skin::SkinManager()->FindSkinForm(dialog);
        return skinForm && skinForm->State() == skin::TFormLife::Running;
      },
      3000));
  auto kind = [&](HWND wnd) {
    for (const TDiscoveredControl& d : skinForm->DiscoveredControls())
      if (d.Window == wnd) return d.Decision.kind;
    ADD_FAILURE() << "window not discovered";
    return SkinnerKind::None;
  };
  EXPECT_EQ(kind(push), "Button"_kind);
  EXPECT_EQ(kind(check), "CheckBox"_kind);
  EXPECT_EQ(kind(radio), "RadioButton"_kind);
  EXPECT_EQ(kind(groupBox), SkinnerKind::None);
  EXPECT_EQ(kind(ownerDrawn), SkinnerKind::None);
  EXPECT_EQ(kind(dropDown), "ComboBox"_kind);
  EXPECT_EQ(kind(simple), SkinnerKind::None);
  EXPECT_EQ(kind(edit), "Edit"_kind);
  EXPECT_EQ(kind(tree), SkinnerKind::None);
  EXPECT_EQ(kind(embedded), "BoxH"_kind);
  EXPECT_EQ(kind(nested), "Button"_kind);

  // A size grip made after the start is matched too.
  HWND grip = child(dialog, L"SCROLLBAR", SBS_SIZEGRIP);
  EXPECT_EQ(kind(grip), "Sizer"_kind);
  ::DestroyWindow(dialog);
}
