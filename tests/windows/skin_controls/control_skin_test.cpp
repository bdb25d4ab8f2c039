// Control skins on real windows: push buttons, check boxes and radio buttons of a framework form
// (control mode) and of a bare window (window mode), painted from a purpose-made skin whose
// frames are solid colours, checked on the screen's pixels.
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "skin/controls/child_window.h"
#include "skin/controls/control_table.h"
#include "skin/controls/skin_control.h"
#include "skin/data/core/skin_colours.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/skin_controls/screen_checks.h"
#include "tests/windows/support/freed_memory.h"
#include "tests/windows/support/gdi_selection_watch.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skin;
using testing_support::ScreenPixel;
using namespace skin_tests;

namespace {

constexpr COLORREF kFaces[5] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0),
                                RGB(0, 200, 200)}; // normal, pressed, disabled, hot, focused
constexpr COLORREF kFace = RGB(210, 190, 150);     // the skin's ButtonFace
constexpr COLORREF kGroupColour = RGB(20, 40, 90);
constexpr int kBox = 13;

// Frame f of a strip in a colour of its own: red rises with f, blue falls.
COLORREF StripColour(int frame) {
  return RGB(20 * frame, 255 - 20 * frame, 100);
}

TBitmap Strip(int frames, int width, int height, bool magentaCorner, const COLORREF* colours) {
  TBitmap b(frames * width, height, fw::TPixelFormat::pf24bit);
  for (int f = 0; f < frames; ++f) {
    b.FillRect({f * width, 0, (f + 1) * width, height},
               AsPixel(colours ? colours[f] : StripColour(f + 1)));
    if (magentaCorner) b.At(f * width, 0) = fw::kMagentaPixel;
  }
  return b;
}

struct ControlSkin {
  ControlSkin() {
    TDataSkinButton& b = *elements.Buttons;
    b.Bitmap = Strip(5, 20, 20, true, kFaces);
    b.FrameCount = 5;
    b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 3;
    b.Trans = 1;
    SetStrips(4, 4);
    elements.ColourTable.Colours[kButtonFace] = kFace;
    elements.ColourTable.Colours[kButtonText] = RGB(0, 0, 0);
  }
  void SetStrips(int checkFrames, int radioFrames) {
    TDataSkinButton& b = *elements.Buttons;
    b.CheckBitmap = Strip(checkFrames, kBox, kBox, false, nullptr);
    b.CheckButtonFrame = checkFrames;
    b.RadioBitmap = Strip(radioFrames, kBox, kBox, false, nullptr);
    b.RadioButtonFrame = radioFrames;
  }
  TFormSkinSource Source() const { return {&elements, DefaultSkinControls(), {}, nullptr}; }
  TSkinElements elements;
};

// The colour of the check mark's box: its middle.
COLORREF BoxColour(HWND wnd, bool leftText = false) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  const int x = leftText ? r.right - r.left - kBox / 2 - 1 : kBox / 2;
  return At(wnd, x, (r.bottom - r.top) / 2);
}

int CountColour(HWND wnd, COLORREF colour) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  const TBitmap shot = testing_support::ScreenPixels(r);
  int n = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      n += (shot.At(x, y) & 0xFFFFFF) == AsPixel(colour);
  return n;
}

// Rows of the button that hold caption pixels (text in `colour`).
int TextRows(HWND wnd, COLORREF colour) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  const TBitmap shot = testing_support::ScreenPixels(r);
  int rows = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      if ((shot.At(x, y) & 0xFFFFFF) == AsPixel(colour)) {
        ++rows;
        break;
      }
  return rows;
}

class ControlSkins : public ::testing::Test {
protected:
  void SetUp() override {
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Control skins");
    form->SetBounds(60, 60, 520, 330);
    plain = Add<fw::TButton>(form.get(), 10, 10, L"Plain");
    plain->OnClick = [this](fw::TObject*) { ++clicks; };
    defaultButton = Add<fw::TButton>(form.get(), 10, 45, L"Default");
    defaultButton->Default = true;
    disabled = Add<fw::TButton>(form.get(), 10, 80, L"Disabled");
    disabled->SetEnabled(false);
    twoLines = Add<fw::TButton>(form.get(), 10, 115, L"One||Two");
    twoLines->SetBounds(10, 115, 120, 50);
    oneLine = Add<fw::TButton>(form.get(), 140, 115, L"One");
    oneLine->SetBounds(140, 115, 120, 50);
    group = Add<fw::TGroupBox>(form.get(), 10, 175, L"");
    group->SetBounds(10, 175, 240, 100);
    group->SetColor(static_cast<fw::TColor>(kGroupColour));
    group->Tag = 99; // the disable tag: unskinned, its own colour shows behind "Tag"
    seeThrough = Add<fw::TButton>(group, 10, 20, L"Tag");
    seeThrough->Tag = 5555;
    solid = Add<fw::TButton>(group, 120, 20, L"Solid");
    check = Add<fw::TCheckBox>(form.get(), 280, 10, L"Check");
    check->SetParentBackground(true); // the skin switches it off while it paints the background
    grayed = Add<fw::TCheckBox>(form.get(), 280, 40, L"Grayed");
    grayed->AllowGrayed = true;
    checkOff = Add<fw::TCheckBox>(form.get(), 280, 70, L"Disabled");
    checkOff->SetEnabled(false);
    radio = Add<fw::TRadioButton>(form.get(), 280, 100, L"Radio");
    radioOff = Add<fw::TRadioButton>(form.get(), 280, 130, L"Disabled");
    radioOff->SetEnabled(false);
    form->Show();
    ::SetForegroundWindow(form->Handle());
    Pump();
    RECT r;
    ::GetWindowRect(plain->Handle(), &r);
    plainUnskinned = testing_support::ScreenPixels(r);
    formSkin = StartFormSkin(form->Handle(), skin.Source());
    ASSERT_TRUE(formSkin);
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
  }

  template <class T> T* Add(fw::TWinControl* parent, int left, int top, const wchar_t* caption) {
    auto* control = new T(form.get());
    control->SetParent(parent);
    control->SetBounds(left, top, 100, 25);
    control->SetText(caption);
    return control;
  }
  void Send(fw::TWinControl* c, UINT msg, WPARAM wParam = 0, LPARAM lParam = MAKELPARAM(8, 8)) {
    ::SendMessageW(c->Handle(), msg, wParam, lParam);
    Pump();
  }

  ControlSkin skin;
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TButton *plain, *defaultButton, *disabled, *twoLines, *oneLine, *seeThrough, *solid;
  fw::TGroupBox* group;
  fw::TCheckBox *check, *grayed, *checkOff;
  fw::TRadioButton *radio, *radioOff;
  TBitmap plainUnskinned; // the plain button as the system drew it
  int clicks = 0;
};

TEST_F(ControlSkins, PushButtonFacesFollowStateFocusAndDefault) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"control_mode.bmp");
  ::SetFocus(solid->Handle());
  Pump();
  EXPECT_EQ(At(plain->Handle(), 5, 5), kFaces[0]);
  EXPECT_EQ(At(defaultButton->Handle(), 5, 5), kFaces[4]);
  EXPECT_EQ(At(disabled->Handle(), 5, 5), kFaces[2]);
  EXPECT_GT(CountColour(disabled->Handle(), ::GetSysColor(COLOR_BTNSHADOW)), 10); // grey text
  EXPECT_EQ(At(plain->Handle(), 0, 0), kFace); // a transparent corner shows the face colour
  ::SetFocus(plain->Handle());
  Pump();
  EXPECT_EQ(At(plain->Handle(), 5, 5), kFaces[4]);
  // A caption with "||" takes two lines.
  EXPECT_GT(TextRows(twoLines->Handle(), RGB(0, 0, 0)),
            TextRows(oneLine->Handle(), RGB(0, 0, 0)) * 3 / 2);
  // Tag 5555: the parent's background shows around the face.
  EXPECT_EQ(At(seeThrough->Handle(), 0, 0), kGroupColour);
  EXPECT_EQ(At(solid->Handle(), 0, 0), kFace);
}

TEST_F(ControlSkins, PushButtonClicksOnReleaseOnlyAndOnceForSpace) {
  Send(plain, WM_MOUSEMOVE);
  EXPECT_EQ(At(plain->Handle(), 5, 5), kFaces[3]);
  Send(plain, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(At(plain->Handle(), 5, 5), kFaces[1]);
  EXPECT_EQ(::GetCapture(), nullptr); // the button never captured the mouse
  Send(plain, WM_MOUSELEAVE);         // dragged out
  EXPECT_EQ(At(plain->Handle(), 5, 5), kFaces[4]);
  Send(plain, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0);
  Send(plain, WM_LBUTTONDOWN, MK_LBUTTON);
  Send(plain, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1);
  Send(plain, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(At(plain->Handle(), 5, 5), kFaces[1]);
  Send(plain, WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlSkins, CheckAndRadioFramesOfShortAndLongStrips) {
  grayed->SetState(fw::cbGrayed);
  radio->SetChecked(true);
  for (int pass = 0; pass < 2; ++pass) {
    const bool longStrips = pass == 1;
    check->SetChecked(false);
    checkOff->SetChecked(false);
    Pump();
    auto frame = [&](int shortFrame, int longFrame) {
      return StripColour(longStrips ? longFrame : shortFrame);
    };
    EXPECT_EQ(BoxColour(check->Handle()), frame(1, 1)) << pass;
    EXPECT_EQ(BoxColour(checkOff->Handle()), frame(3, 4)) << pass;
    EXPECT_EQ(BoxColour(grayed->Handle()), frame(4, 9)) << pass;
    check->SetChecked(true);
    checkOff->SetChecked(true);
    Pump();
    EXPECT_EQ(BoxColour(check->Handle()), frame(2, 5)) << pass;
    EXPECT_EQ(BoxColour(checkOff->Handle()), frame(4, 8)) << pass;
    EXPECT_EQ(BoxColour(radio->Handle()), frame(2, 5)) << pass;
    EXPECT_EQ(BoxColour(radioOff->Handle()), frame(3, 4)) << pass;
    grayed->SetEnabled(false);
    Pump();
    EXPECT_EQ(BoxColour(grayed->Handle()), frame(4, 12)) << pass;
    grayed->SetEnabled(true);
    // The caption stands on the face colour.
    EXPECT_EQ(At(check->Handle(), 90, 2), kFace);
    if (!longStrips) {
      skin.SetStrips(12, 8);
      ::SendMessageW(form->Handle(), SM_SKINCHANGED, 0, 0);
    }
  }
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"long_strips.bmp");
}

TEST_F(ControlSkins, ClicksStillToggleAndLeftTextPutsTheBoxRight) {
  Send(check, WM_LBUTTONDOWN, MK_LBUTTON);
  Send(check, WM_LBUTTONUP);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(BoxColour(check->Handle()), StripColour(2));
  ::SetWindowLongW(check->Handle(), GWL_STYLE,
                   ::GetWindowLongW(check->Handle(), GWL_STYLE) | BS_LEFTTEXT);
  ::InvalidateRect(check->Handle(), nullptr, TRUE);
  Pump();
  EXPECT_EQ(BoxColour(check->Handle(), true), StripColour(2));
  EXPECT_EQ(BoxColour(check->Handle(), false), kFace);
}

TEST_F(ControlSkins, SkinEnableAndUnhookGiveTheControlsBack) {
  HWND button = plain->Handle();
  EXPECT_EQ(::SendMessageW(button, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(check->Handle(), SM_ISSKINNED, 0, 0), 1);
  EXPECT_FALSE(check->ParentBackground());
  EXPECT_EQ(check->Color(), static_cast<fw::TColor>(kFace));
  ::SendMessageW(button, SM_SKINENABLE, 0, 0);
  Pump();
  EXPECT_EQ(::SendMessageW(button, SM_ISSKINNED, 0, 0), 0);
  RECT r;
  ::GetWindowRect(button, &r);
  const TBitmap own = testing_support::ScreenPixels(r); // its own look at once, pixel for pixel
  ASSERT_EQ(own.Width(), plainUnskinned.Width());
  int differ = 0;
  for (int y = 0; y < own.Height(); ++y)
    for (int x = 0; x < own.Width(); ++x)
      differ += (own.At(x, y) & 0xFFFFFF) != (plainUnskinned.At(x, y) & 0xFFFFFF);
  EXPECT_EQ(differ, 0);
  ::SendMessageW(button, SM_SKINENABLE, 1, 0);
  Pump();
  EXPECT_EQ(At(button, 5, 5), kFaces[0]);
  formSkin->Unhook();
  Pump();
  EXPECT_EQ(::SendMessageW(button, SM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(CountColour(button, kFaces[0]), 0);
  EXPECT_TRUE(formSkin->Controls().empty());
  EXPECT_TRUE(check->ParentBackground());
  EXPECT_TRUE(check->ParentColor());
  EXPECT_EQ(check->Color(), form->Color()); // the form's own colour again
  Send(plain, WM_LBUTTONDOWN, MK_LBUTTON);  // the button's own procedure clicks now
  Send(plain, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlSkins, ADestroyedControlFreesItsSkinOnce) {
  const size_t skinned = formSkin->Controls().size();
  delete solid;
  Pump();
  formSkin->DropDeadControls();
  EXPECT_EQ(formSkin->Controls().size(), skinned - 1);
}

// Switched off, a control is itself: its own colours. A control that goes while its skin is off
// still takes the skin along, and nothing is written into the freed control afterwards.
TEST_F(ControlSkins, SwitchedOffAControlHasItsOwnColoursAndItsEndStillFreesItsSkin) {
  testing_support::TFreedMemoryCheck freed;
  ::SendMessageW(check->Handle(), SM_SKINENABLE, 0, 0);
  EXPECT_TRUE(check->ParentColor());
  EXPECT_EQ(check->Color(), form->Color());
  EXPECT_TRUE(check->ParentBackground());
  ::SendMessageW(check->Handle(), SM_SKINENABLE, 1, 0);
  EXPECT_EQ(check->Color(), static_cast<fw::TColor>(kFace));
  EXPECT_FALSE(check->ParentBackground());

  const size_t skinned = formSkin->Controls().size();
  ::SendMessageW(grayed->Handle(), SM_SKINENABLE, 0, 0);
  delete grayed;
  grayed = nullptr;
  formSkin->DropDeadControls();
  EXPECT_EQ(formSkin->Controls().size(), skinned - 1);
  formSkin->ControlsSkinChanged();
  formSkin.reset();
  EXPECT_EQ(freed.WrittenAfterFree(), 0);
}

// Every control skin composes its paints in a bitmap of its own: freed, it gives each bitmap
// back to the system, which takes none that is still selected into a device context.
TEST_F(ControlSkins, FreedSkinsDeleteNoBitmapStillSelected) {
  testing_support::TGdiSelectionWatch watch;
  ASSERT_TRUE(watch.Watching());
  form->Invalidate();
  ::RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  formSkin.reset();
  EXPECT_EQ(watch.DeletedWhileSelected(), 0);
}

// A skin's own child window destroyed with its parent is forgotten: its handle may soon name
// another window, which freeing the skin must not destroy.
TEST(SkinChildWindows, ADestroyedOneIsForgotten) {
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, nullptr, nullptr);
  TSkinChildWindow child(L"test.SkinChild", 0, WS_CHILD, parent,
                         [](fw::TMessage&) { return TMessageAnswer::PassOn; });
  ASSERT_TRUE(::IsWindow(child.Handle()));
  ::DestroyWindow(parent);
  EXPECT_EQ(child.Handle(), nullptr);
}

// --- Window mode: the children of a bare window.

struct BareWindow {
  BareWindow() {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"tests.BareDialog";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      ::RegisterClassW(&wc);
      registered = true;
    }
    commands.clear();
    wnd = ::CreateWindowExW(0, L"tests.BareDialog", L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600,
                            80, 300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    push = Child(L"Push", BS_PUSHBUTTON, 10, 41);
    box = Child(L"Box", BS_AUTOCHECKBOX, 50, 42);
    dot = Child(L"Dot", BS_AUTORADIOBUTTON, 90, 43);
    originalProc = ::GetWindowLongPtrW(push, GWLP_WNDPROC);
    ::SetForegroundWindow(wnd);
    Pump();
  }
  ~BareWindow() { ::DestroyWindow(wnd); }
  HWND Child(const wchar_t* text, DWORD style, int top, int id) {
    return ::CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 10, top, 120, 26,
                             wnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) commands.push_back(wParam);
    return ::DefWindowProcW(w, msg, wParam, lParam);
  }
  static inline std::vector<WPARAM> commands;
  HWND wnd, push, box, dot;
  LONG_PTR originalProc;
};

TEST(ControlSkinsWindowMode, BareButtonsAreSkinnedClickTheirParentAndComeBack) {
  ControlSkin skin;
  BareWindow bare;
  {
    TWinSkinForm formSkin(skin.Source());
    ASSERT_TRUE(formSkin.HookWindow(bare.wnd));
    ::PostMessageW(bare.wnd, SM_STARTSKIN, 0, 1000);
    Pump();
    testing_support::SaveWindowShot(bare.wnd, 10, L"skin_controls", L"window_mode.bmp");
    EXPECT_EQ(::SendMessageW(bare.push, SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(At(bare.push, 5, 5), kFaces[0]);
    // The system's check box paints itself; the skin's box goes over its own.
    EXPECT_EQ(BoxColour(bare.box), StripColour(1));
    EXPECT_EQ(BoxColour(bare.dot), StripColour(1));
    ::SendMessageW(bare.push, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(bare.push, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    ASSERT_EQ(bare.commands.size(), 1u);
    EXPECT_EQ(bare.commands[0], MAKEWPARAM(41, BN_CLICKED));
    ::SendMessageW(bare.box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(bare.box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(::SendMessageW(bare.box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(BoxColour(bare.box), StripColour(2));
    formSkin.Unhook();
  }
  Pump();
  EXPECT_EQ(::SendMessageW(bare.push, SM_ISSKINNED, 0, 0), 0);
  EXPECT_EQ(::GetWindowLongPtrW(bare.push, GWLP_WNDPROC), bare.originalProc);
}

// Every kind discovery can decide has a control skin, except those that only lead discovery on to
// the children.
TEST(ControlSkinKinds, EveryDecidedKindHasACreator) {
  std::vector<SkinnerKind> kinds = KindsNamedByRules(AllKindRules());
  // Kinds that only a rule's refinement chooses.
  kinds.insert(kinds.end(), {"TabBtn"_kind, "MenuButton"_kind});
  for (const SkinnerKind kind : kinds) {
    const std::string name(kind.Name());
    if (kind == SkinnerKind::EmbedScrollbar || kind == SkinnerKind::ChildrenOnly) continue;
    const TControlSkinKind* row = FindControlSkinKind(kind);
    ASSERT_NE(row, nullptr) << "kind " << name;
    EXPECT_NE(row->create(ControlDecision{kind}), nullptr) << "kind " << name;
  }
  // The kinds there were when kinds were numbered, each still decided and created.
  for (const char* name :
       {"Button",    "BitButton", "MenuButton", "SpeedButton", "CheckBox", "RadioButton",
        "ComboBox",  "Edit",      "DateTime",   "MediaPlayer", "Tab",      "Tab31",
        "AdvPage",   "Progress",  "Scrollbar",  "TrackBar",    "UpDown",   "GroupBox",
        "Box",       "BoxH",      "Sizer",      "ObjImage",    "TabSheet", "TabBtn",
        "StatusBar", "Header"})
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), SkinnerKind(name)), kinds.end()) << name;
  // Every row makes its skin.
  for (const TControlSkinKind* row : ControlSkinKinds())
    EXPECT_NE(row->create(ControlDecision{row->kind}), nullptr) << std::string(row->kind.Name());
}

} // namespace
