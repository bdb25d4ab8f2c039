// The skin manager with the program's own skin: which windows it skins at their activation, and
// the skin-on and skin-off requests of the skin component.
#include "framework/stdctrls.h"
#include "tests/windows/skin_manager/skin_manager_fixture.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

using namespace skin;
using namespace skin_manager_testing;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

// A shown framework form of 300 x 200.
std::unique_ptr<fw::TForm> ShowForm(int tag = 0, fw::TColor colour = fw::clBtnFace) {
  auto form = std::make_unique<fw::TForm>(nullptr);
  form->SetCaption(L"Skinned by the manager");
  form->SetBounds(150, 120, 300, 200);
  form->Tag = tag;
  form->SetColor(colour);
  form->Show();
  ::SetForegroundWindow(form->Handle());
  ::SetActiveWindow(form->Handle());
  return form;
}

const TWinSysButton* VisibleCloseButton(const TWinSkinForm& skinForm) {
  for (const TWinSysButton& b : skinForm.Buttons())
    if (b.FVisible && b.FData->Action == 0) return &b;
  return nullptr;
}

POINT ScreenCentreOf(const TWinSysButton& button, HWND wnd) {
  RECT w;
  ::GetWindowRect(wnd, &w);
  return {w.left + (button.FBounds.Left + button.FBounds.Right) / 2,
          w.top + (button.FBounds.Top + button.FBounds.Bottom) / 2};
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

} // namespace

TEST_F(SkinManager, SkinsAFormAtItsFirstActivation) {
  // The component's request came before any activation: it only switched skinning on.
  EXPECT_TRUE(skin::SkinManager()->Enabled);
  auto form = ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
  EXPECT_EQ(skin::SkinManager()->StartState, skin::TStartState::Running);
  TWinSkinForm* skinForm = skin::SkinManager()->FindSkinForm(form->Handle());
  ASSERT_NE(skinForm, nullptr);
  PumpUntil([&] { return skinForm->State() == skin::TFormLife::Running; }, 2000);
  EXPECT_EQ(skinForm->State(), skin::TFormLife::Running);
  // Activating it again does not skin it twice.
  const size_t count = skin::SkinManager()->SkinnedCount();
  ::SetActiveWindow(nullptr);
  ::SetActiveWindow(form->Handle());
  PumpFor(100);
  EXPECT_EQ(skin::SkinManager()->SkinnedCount(), count);
}

// Components of other form types each start the manager; however many there are, it runs on
// and skins the forms activated next.
TEST_F(SkinManager, ManyComponentsOfOtherFormTypesKeepItRunning) {
  std::vector<std::unique_ptr<skin::TSkinData>> dialogs;
  for (int i = 0; i < 4; ++i) {
    dialogs.push_back(std::make_unique<skin::TSkinData>(nullptr));
    dialogs.back()->SkinFormtype = skin::sfDialog;
    dialogs.back()->Loaded();
  }
  EXPECT_EQ(skin::SkinManager()->StartState, skin::TStartState::Running);
  auto form = ShowForm();
  EXPECT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
}

// Controls made after the form was skinned, and a control whose window is made again, get their
// skins as the ones that were there at the start did.
TEST_F(SkinManager, ControlsMadeLaterOrMadeAgainAreSkinned) {
  auto form = ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
  auto* combo = new fw::TComboBox(form.get());
  combo->SetParent(form.get());
  combo->SetBounds(10, 10, 120, 24);
  auto* check = new fw::TCheckBox(form.get());
  check->SetParent(form.get());
  check->SetBounds(10, 50, 120, 20);
  check->SetText(L"Made later");
  EXPECT_TRUE(PumpUntil(
      [&] { return combo->Perform(SM_ISSKINNED) == 1 && check->Perform(SM_ISSKINNED) == 1; },
      2000));
  const HWND old = combo->Handle();
  combo->RecreateWnd();
  ASSERT_NE(combo->Handle(), old);
  EXPECT_TRUE(PumpUntil([&] { return combo->Perform(SM_ISSKINNED) == 1; }, 2000));
  // Each control is decided once: the combo box by its new window only.
  const auto& found = skin::SkinManager()->FindSkinForm(form->Handle())->DiscoveredControls();
  for (fw::TControl* control :
       {static_cast<fw::TControl*>(combo), static_cast<fw::TControl*>(check)})
    EXPECT_EQ(std::count_if(found.begin(), found.end(),
                            [&](const TDiscoveredControl& d) { return d.Control == control; }),
              1);
  EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const TDiscoveredControl& d) {
    return d.Control == combo && d.Window == combo->Handle();
  }));
}

TEST_F(SkinManager, Tag99FormsAndOtherModulesStayUnskinned) {
  auto tagged = ShowForm(99);
  PumpFor(300);
  EXPECT_FALSE(Skinned(tagged->Handle()));
  HWND foreign =
      ::CreateWindowExW(0, L"STATIC", L"foreign", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200,
                        100, nullptr, nullptr, ::GetModuleHandleW(L"user32.dll"), nullptr);
  ::SetActiveWindow(foreign);
  PumpFor(300);
  EXPECT_FALSE(Skinned(foreign));
  ::DestroyWindow(foreign);
}

TEST_F(SkinManager, SystemDialogsAreSkinned) {
  // A #32770 dialog made from a template in memory, of another module.
  struct {
    DLGTEMPLATE t;
    WORD menu, cls, title;
  } templ{};
  templ.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  templ.t.cx = 160;
  templ.t.cy = 80;
  HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(L"user32.dll"), &templ.t, nullptr,
                                             EmptyDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  ::SetActiveWindow(dialog);
  EXPECT_TRUE(PumpUntil([&] { return Skinned(dialog); }, 3000));
  ::DestroyWindow(dialog);
}

TEST_F(SkinManager, PreviewWindowsFollowTheOption) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TMyPreview";
  ::RegisterClassW(&wc);
  for (bool preview : {false, true}) {
    if (preview)
      data->Options.Include(xoPreview);
    else
      data->Options.Exclude(xoPreview);
    HWND wnd = ::CreateWindowExW(0, L"TMyPreview", L"preview", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60,
                                 60, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetActiveWindow(wnd);
    PumpFor(300);
    EXPECT_EQ(Skinned(wnd), preview);
    ::DestroyWindow(wnd);
  }
}

TEST_F(SkinManager, SwitchingOffRestoresTheWindowAndANewerRequestWins) {
  const fw::TColor ownColour = RGB(10, 20, 30);
  auto form = ShowForm(0, ownColour);
  ASSERT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
  PumpFor(300);
  // A skinned form takes the skin's face colour.
  EXPECT_EQ(form->Color(), static_cast<fw::TColor>(data->Elements().Colour(kButtonFace)));
  ASSERT_NE(form->Color(), ownColour);
  // Off, then on again within 250 ms: only the second runs.
  data->SetActive(false);
  data->SetActive(true);
  PumpFor(600);
  EXPECT_TRUE(Skinned(form->Handle()));
  EXPECT_EQ(skinChanges, 1);
  // Off for good: the window gets its own procedure back.
  data->SetActive(false);
  ASSERT_TRUE(PumpUntil([&] { return !Skinned(form->Handle()); }, 3000));
  EXPECT_EQ(skin::SkinManager()->SkinnedCount(), 0u);
  fw::Region region(::CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(::GetWindowRgn(form->Handle(), region.get()), ERROR);
  EXPECT_EQ(form->Color(), ownColour);
}

TEST_F(SkinManager, TheComponentHearsBeforeAndAfterAFormIsSkinned) {
  std::vector<std::wstring> heard;
  fw::TObject* before = nullptr;
  HWND after = nullptr;
  data->OnBeforeSkinForm = [&](fw::TObject* form, HWND, const std::wstring& name) {
    before = form;
    heard.push_back(L"before " + name);
  };
  data->OnAfterSkinForm = [&](fw::TObject*, HWND wnd, const std::wstring& name) {
    after = wnd;
    heard.push_back(L"after " + name);
  };
  auto form = ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return heard.size() == 2; }, 3000));
  wchar_t className[101] = {};
  ::GetClassNameW(form->Handle(), className, 100);
  EXPECT_EQ(heard[0], std::wstring(L"before ") + className);
  EXPECT_EQ(heard[1], std::wstring(L"after ") + className);
  EXPECT_EQ(before, form.get());
  EXPECT_EQ(after, form->Handle());
}

TEST_F(SkinManager, RestingOnACaptionButtonShowsItsHint) {
  auto form = ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
  TWinSkinForm* skinForm = skin::SkinManager()->FindSkinForm(form->Handle());
  ASSERT_NE(skinForm, nullptr);
  ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(200);
  const TWinSysButton* close = VisibleCloseButton(*skinForm);
  ASSERT_NE(close, nullptr);
  RECT w;
  ::GetWindowRect(form->Handle(), &w);
  const POINT p = ScreenCentreOf(*close, form->Handle());
  ::SetCursorPos(p.x, p.y);
  ::SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(p.x, p.y));
  // The hint shows after a second of rest and goes when the mouse leaves.
  HWND hint = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        hint = ::FindWindowW(L"TSkinCaptionHint", nullptr);
        return hint && ::IsWindowVisible(hint);
      },
      3000));
  RECT h;
  ::GetWindowRect(hint, &h);
  EXPECT_EQ(h.left, w.left + close->FBounds.Left);
  ::SetCursorPos(p.x - 200, p.y + 150);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(hint); }, 2000));
}

TEST_F(SkinManager, PicturesOfTheProgramsSkin) {
  auto form = ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
  PumpFor(300);
  TWinSkinForm* skinForm = skin::SkinManager()->FindSkinForm(form->Handle());
  ASSERT_NE(skinForm, nullptr);
  SaveShot(form->Handle(), L"active.bmp");
  // The caption's icon button shows the program's icon: its red recording dot.
  const TWinSysButton* icon = nullptr;
  for (const TWinSysButton& b : skinForm->Buttons())
    if (b.FVisible && b.FData->Action == 3) icon = &b;
  ASSERT_NE(icon, nullptr);
  RECT w;
  ::GetWindowRect(form->Handle(), &w);
  HDC screen = ::GetDC(nullptr);
  int red = 0;
  for (int y = icon->FBounds.Top; y < icon->FBounds.Bottom; ++y)
    for (int x = icon->FBounds.Left; x < icon->FBounds.Right; ++x) {
      const COLORREF c = ::GetPixel(screen, w.left + x, w.top + y);
      red += GetRValue(c) > 170 && GetGValue(c) < 110 && GetBValue(c) < 110;
    }
  ::ReleaseDC(nullptr, screen);
  EXPECT_GE(red, 4) << "red pixels of the program icon in the icon button";
  const TWinSysButton* close = VisibleCloseButton(*skinForm);
  ASSERT_NE(close, nullptr);
  const POINT centre = ScreenCentreOf(*close, form->Handle());
  const LPARAM at = MAKELPARAM(centre.x, centre.y);
  ::SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at)); // the hover timer checks the real cursor
  ::SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION, at);
  PumpFor(100);
  EXPECT_EQ(close->FButtonState, skin::TButtonState::Hot);
  SaveShot(form->Handle(), L"close_hot.bmp");
  ::SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, at);
  PumpFor(100);
  EXPECT_EQ(close->FButtonState, skin::TButtonState::Pressed);
  SaveShot(form->Handle(), L"close_pressed.bmp");
  ::SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  PumpFor(100);
  EXPECT_FALSE(skinForm->Active());
  SaveShot(form->Handle(), L"inactive.bmp");
}

TEST_F(SkinManager, AFormsFramePaintsIntoADeviceContextOnRequest) {
  auto form = ShowForm();
  ASSERT_TRUE(PumpUntil([&] { return Skinned(form->Handle()); }, 3000));
  PumpFor(300);
  HWND wnd = form->Handle();
  EXPECT_EQ(::SendMessageW(wnd, SM_FRAMEQUERY, 0, kSkinMagic), kSkinMagic);
  EXPECT_EQ(::SendMessageW(wnd, SM_FRAMEQUERY, 0, 0), 1);

  RECT w;
  ::GetWindowRect(wnd, &w);
  fw::TBitmap copy(w.right - w.left, w.bottom - w.top, fw::TPixelFormat::pf32bit);
  LRESULT answer = 0;
  fw::DrawInto(copy, [&](HDC dc) {
    answer = ::SendMessageW(wnd, SM_PAINTFRAMEDC, reinterpret_cast<WPARAM>(dc), kSkinMagic);
  });
  EXPECT_EQ(answer, kSkinMagic);
  fw::TBitmap screen(copy.Width(), copy.Height(), fw::TPixelFormat::pf32bit);
  fw::DrawInto(screen, [&](HDC dc) {
    HDC desktop = ::GetDC(nullptr);
    ::BitBlt(dc, 0, 0, screen.Width(), screen.Height(), desktop, w.left, w.top, SRCCOPY);
    ::ReleaseDC(nullptr, desktop);
  });
  // The copy shows the frame as the screen does: the caption bar and the side borders.
  TWinSkinForm* skinForm = skin::SkinManager()->FindSkinForm(wnd);
  ASSERT_NE(skinForm, nullptr);
  const FrameSizes& frame = skinForm->Frame();
  int compared = 0, equal = 0;
  for (int y = 0; y < copy.Height(); y += 3)
    for (int x = 0; x < copy.Width(); x += 3) {
      const bool inFrame = y < frame.top || x < frame.left || x >= copy.Width() - frame.right ||
                           y >= copy.Height() - frame.bottom;
      if (!inFrame) continue;
      ++compared;
      equal += (copy.At(x, y) & 0xFFFFFF) == (screen.At(x, y) & 0xFFFFFF);
    }
  ASSERT_GT(compared, 100);
  EXPECT_GT(equal, compared * 95 / 100) << equal << " of " << compared;
  // A window that is not a framework form does not answer.
  HWND bare = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  EXPECT_EQ(::SendMessageW(bare, SM_FRAMEQUERY, 0, kSkinMagic), 0);
  ::DestroyWindow(bare);
}
