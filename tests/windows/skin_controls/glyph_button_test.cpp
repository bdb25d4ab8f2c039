// Buttons with glyphs on real windows: bit buttons in their four layouts and when disabled or
// pressed, speed buttons (graphic controls without a window) latching down in a group and flat,
// and a menu button opening its menu, painted from a skin of solid colours and checked on the
// screen's pixels.
#include "framework/buttons.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/status_bar.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "framework/tab_control.h"
#include "skin/controls/speed_button.h"
#include "skin/data/core/skin_colours.h"
#include "skin/data/skin_data.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/skin_controls/screen_checks.h"
#include "tests/windows/support/freed_memory.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using namespace skin;
using skin_tests::AsPixel;
using skin_tests::Pump;
using skin_tests::StartFormSkin;
using testing_support::PumpFor;

namespace {

constexpr COLORREF kFaces[5] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0),
                                RGB(0, 200, 200)}; // normal, pressed, disabled, hot, focused
constexpr COLORREF kFace = RGB(210, 190, 150);
// Glyph frames: up, disabled, pressed, down.
constexpr COLORREF kGlyphs[4] = {RGB(40, 40, 120), RGB(250, 130, 0), RGB(130, 0, 130),
                                 RGB(0, 90, 40)};
constexpr int kGlyph = 16;

// A strip of solid frames; each frame's bottom-left pixel is the key colour that stays unseen.
TBitmap GlyphStrip(int frames) {
  TBitmap b(frames * kGlyph, kGlyph);
  for (int f = 0; f < frames; ++f) {
    b.FillRect({f * kGlyph, 0, (f + 1) * kGlyph, kGlyph}, AsPixel(kGlyphs[f]));
    b.At(f * kGlyph, kGlyph - 1) = fw::kMagentaPixel;
  }
  return b;
}

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

RECT ScreenRect(HWND wnd, const fw::TControl* graphic = nullptr) {
  RECT r;
  if (!graphic) {
    ::GetWindowRect(wnd, &r);
    return r;
  }
  POINT o{graphic->Left(), graphic->Top()};
  ::ClientToScreen(wnd, &o);
  return {o.x, o.y, o.x + graphic->Width(), o.y + graphic->Height()};
}

// Where `colour` shows inside a screen rectangle, in coordinates relative to it.
Box Find(RECT r, COLORREF colour) {
  const TBitmap shot = testing_support::ScreenPixels(r);
  Box box;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      if ((shot.At(x, y) & 0xFFFFFF) == AsPixel(colour)) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
        ++box.count;
      }
  return box;
}

COLORREF AtCorner(RECT r) {
  return testing_support::ScreenPixel(r.left + 4, r.top + 4);
}

// Set while the menu button's menu was seen open; the timer closes it.
bool menuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = ::FindWindowW(L"#32768", nullptr);
  if (menu && ::IsWindowVisible(menu)) {
    menuSeen = true;
    ::KillTimer(nullptr, id);
    ::EndMenu();
  }
}

// Button faces of solid colours (kFaces) and the face colour kFace.
void MakeButtonFaces(TSkinElements& elements) {
  TDataSkinButton& b = *elements.Buttons;
  b.Bitmap = TBitmap(5 * 20, 20);
  for (int f = 0; f < 5; ++f)
    b.Bitmap.FillRect({f * 20, 0, (f + 1) * 20, 20}, AsPixel(kFaces[f]));
  b.FrameCount = 5;
  b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 3;
  elements.ColourTable.Colours[kButtonFace] = kFace;
  elements.ColourTable.Colours[kButtonText] = RGB(0, 0, 0);
}

class GlyphButtons : public ::testing::Test {
protected:
  void SetUp() override {
    MakeButtonFaces(elements);
    data.SetSkin3rd({L"TBitBtn=bitbtn", L"TSpeedButton=speedbutton", L"TMenuButton=menubtn"});

    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Glyph buttons");
    form->SetBounds(60, 60, 560, 330);
    const fw::TButtonLayout layouts[4] = {fw::blGlyphLeft, fw::blGlyphRight, fw::blGlyphTop,
                                          fw::blGlyphBottom};
    for (int i = 0; i < 4; ++i) {
      bits[i] = Add<fw::TBitBtn>(10 + 130 * i, 10, 120, 60, L"Go");
      bits[i]->GlyphSettings.Glyph.Image = GlyphStrip(4);
      bits[i]->GlyphSettings.NumGlyphs = 4;
      bits[i]->GlyphSettings.Layout = layouts[i];
      bits[i]->OnClick = [this](fw::TObject*) { ++clicks; };
    }
    disabledStrip = Add<fw::TBitBtn>(10, 80, 120, 40, L"Off");
    disabledStrip->GlyphSettings.Glyph.Image = GlyphStrip(4);
    disabledStrip->GlyphSettings.NumGlyphs = 4;
    disabledStrip->SetEnabled(false);
    disabledSingle = Add<fw::TBitBtn>(140, 80, 120, 40, L"Off");
    disabledSingle->GlyphSettings.Glyph.Image = GlyphStrip(1);
    disabledSingle->SetEnabled(false);
    menuButton = Add<fw::TMenuButton>(270, 80, 120, 40, L"Menu");
    menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 101, L"One");
    menuButton->DropDownMenu = menu;
    menuButton->OnClick = [this](fw::TObject*) { ++menuClicks; };
    for (int i = 0; i < 3; ++i) {
      speeds[i] = AddSpeed(10 + 60 * i, 140, L"");
      speeds[i]->GroupIndex = 1;
      speeds[i]->GlyphSettings.Glyph.Image = GlyphStrip(4);
      speeds[i]->GlyphSettings.NumGlyphs = 4;
    }
    flat = AddSpeed(200, 140, L"Flat");
    flat->Flat = true;
    images = new fw::TImageList(form.get(), kGlyph, kGlyph);
    TBitmap listStrip = GlyphStrip(4); // images 0 to 3: the colours of the glyph frames
    images->AddMasked(listStrip, fw::kMagentaColour);
    listButton = Add<fw::TBitBtn>(400, 80, 120, 40, L"List");
    listOff = Add<fw::TBitBtn>(400, 140, 120, 40, L"List");
    for (fw::TBitBtn* b : {listButton, listOff}) {
      b->Images = images;
      b->ImageIndex = 0;
    }
    listOff->DisabledIndex = 3;
    listOff->SetEnabled(false);
    form->Show();
    ::SetForegroundWindow(form->Handle());
    Pump();
    TFormSkinSource source{&elements, DefaultSkinControls(), {}, &data};
    formSkin = StartFormSkin(form->Handle(), source);
    ASSERT_TRUE(formSkin);
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
    ::DestroyMenu(menu);
  }

  template <class T> T* Add(int left, int top, int width, int height, const wchar_t* caption) {
    auto* control = new T(form.get());
    control->SetParent(form.get());
    control->SetBounds(left, top, width, height);
    control->SetText(caption);
    return control;
  }
  fw::TSpeedButton* AddSpeed(int left, int top, const wchar_t* caption) {
    auto* button = new fw::TSpeedButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(left, top, 50, 40);
    button->SetText(caption);
    return button;
  }
  RECT Rect(fw::TSpeedButton* b) { return ScreenRect(form->Handle(), b); }
  // A click of the form's client area in the middle of a speed button, the cursor there too.
  void ClickSpeed(fw::TSpeedButton* b) {
    const LPARAM at = MAKELPARAM(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
    ::SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
    ::SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at);
    Pump();
  }
  void HoverSpeed(fw::TSpeedButton* b) {
    const RECT r = Rect(b);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageW(form->Handle(), WM_MOUSEMOVE, 0,
                   MAKELPARAM(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2));
    Pump();
  }

  TSkinElements elements;
  TSkinData data{nullptr};
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TBitBtn* bits[4];
  fw::TBitBtn *disabledStrip, *disabledSingle;
  fw::TMenuButton* menuButton;
  HMENU menu = nullptr;
  fw::TSpeedButton* speeds[3];
  fw::TSpeedButton* flat;
  fw::TImageList* images;
  fw::TBitBtn *listButton, *listOff;
  int clicks = 0, menuClicks = 0;
};

TEST_F(GlyphButtons, BitButtonLayoutsPutTheGlyphBesideTheCaption) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"glyph_buttons.bmp");
  for (int i = 0; i < 4; ++i) {
    const RECT r = ScreenRect(bits[i]->Handle());
    const Box glyph = Find(r, kGlyphs[0]), text = Find(r, RGB(0, 0, 0));
    SCOPED_TRACE(i);
    EXPECT_EQ(glyph.count, kGlyph * kGlyph - 1); // the whole up frame but its key pixel
    ASSERT_GT(text.count, 0);
    EXPECT_EQ(AtCorner(r), kFaces[0]);
    switch (i) {
    case 0:
      EXPECT_LT(glyph.right, text.left);
      break;
    case 1:
      EXPECT_GT(glyph.left, text.right);
      break;
    case 2:
      EXPECT_LT(glyph.bottom, text.top);
      break;
    case 3:
      EXPECT_GT(glyph.top, text.bottom);
      break;
    }
  }
}

TEST_F(GlyphButtons, DisabledAndPressedBitButtonsShowTheirGlyphFrames) {
  const RECT strip = ScreenRect(disabledStrip->Handle());
  EXPECT_EQ(AtCorner(strip), kFaces[2]);
  EXPECT_EQ(Find(strip, kGlyphs[1]).count, kGlyph * kGlyph - 1);
  EXPECT_EQ(Find(strip, kGlyphs[0]).count, 0);
  // A one-frame glyph is greyed: its dark frame is drawn in the shadow colour.
  const RECT single = ScreenRect(disabledSingle->Handle());
  EXPECT_EQ(Find(single, kGlyphs[0]).count, 0);
  const Box shadow = Find(single, ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_GT(shadow.count, kGlyph * kGlyph / 2);

  const RECT r = ScreenRect(bits[0]->Handle());
  ::SendMessageW(bits[0]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(AtCorner(r), kFaces[1]);
  EXPECT_EQ(Find(r, kGlyphs[2]).count, kGlyph * kGlyph - 1);
  ::SendMessageW(bits[0]->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Find(r, kGlyphs[0]).count, kGlyph * kGlyph - 1);
}

// Without a Glyph a bit button shows its image of the image list; disabled, its DisabledIndex
// image greyed.
TEST_F(GlyphButtons, BitButtonsDrawTheirImageListImage) {
  const RECT r = ScreenRect(listButton->Handle());
  const Box image = Find(r, kGlyphs[0]), text = Find(r, RGB(0, 0, 0));
  EXPECT_EQ(image.count, kGlyph * kGlyph - 1); // all but the masked pixel
  ASSERT_GT(text.count, 0);
  EXPECT_LT(image.right, text.left);
  const RECT off = ScreenRect(listOff->Handle());
  EXPECT_EQ(AtCorner(off), kFaces[2]);
  EXPECT_EQ(Find(off, kGlyphs[0]).count, 0);
  EXPECT_EQ(Find(off, kGlyphs[3]).count, 0);
  EXPECT_GT(Find(off, ::GetSysColor(COLOR_BTNSHADOW)).count, kGlyph * kGlyph / 2);
}

TEST_F(GlyphButtons, SpeedButtonsLatchDownOneAtATimeAndFlatOnesShowOnlyUnderTheMouse) {
  EXPECT_EQ(speeds[0]->Perform(SM_ISSKINNED), 1);
  for (fw::TSpeedButton* b : speeds)
    EXPECT_EQ(AtCorner(Rect(b)), kFaces[0]);
  ClickSpeed(speeds[0]);
  EXPECT_TRUE(speeds[0]->Down());
  EXPECT_EQ(AtCorner(Rect(speeds[0])), kFaces[1]);
  EXPECT_EQ(Find(Rect(speeds[0]), kGlyphs[3]).count, kGlyph * kGlyph - 1);
  ClickSpeed(speeds[1]);
  EXPECT_FALSE(speeds[0]->Down());
  EXPECT_TRUE(speeds[1]->Down());
  EXPECT_EQ(Find(Rect(speeds[0]), kGlyphs[0]).count, kGlyph * kGlyph - 1);
  EXPECT_EQ(AtCorner(Rect(speeds[1])), kFaces[1]);
  EXPECT_EQ(Find(Rect(speeds[1]), kGlyphs[3]).count, kGlyph * kGlyph - 1);

  EXPECT_EQ(AtCorner(Rect(flat)), kFace);
  HoverSpeed(flat);
  EXPECT_EQ(AtCorner(Rect(flat)), kFaces[3]);
  HoverSpeed(speeds[2]);
  EXPECT_EQ(AtCorner(Rect(flat)), kFace);
  EXPECT_EQ(AtCorner(Rect(speeds[2])), kFaces[3]);
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"speed_buttons.bmp");
}

TEST_F(GlyphButtons, MenuButtonDrawsItsTriangleAndOpensItsMenu) {
  const RECT r = ScreenRect(menuButton->Handle());
  // The triangle in the window-text colour, right of the caption.
  const Box text = Find(r, ::GetSysColor(COLOR_WINDOWTEXT));
  ASSERT_GT(text.count, 0);
  EXPECT_GT(text.right, (r.right - r.left) / 2);
  menuSeen = false;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, CloseMenu);
  ::SendMessageW(menuButton->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(menuButton->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ::KillTimer(nullptr, timer);
  Pump();
  EXPECT_TRUE(menuSeen);
  EXPECT_EQ(menuClicks, 1);
}

// A click whose event runs a modal loop (as a dialog does) in which the skin is switched off:
// the speed button's skin is freed inside its own message and touches nothing of itself after.
TEST_F(GlyphButtons, ASpeedButtonsSkinFreedInsideItsClickIsNotTouchedAfterwards) {
  static std::unique_ptr<TWinSkinForm>* skinToFree = nullptr;
  struct Inside {
    static void CALLBACK Free(HWND, UINT, UINT_PTR id, DWORD) {
      ::KillTimer(nullptr, id);
      skinToFree->reset();
    }
  };
  testing_support::TFreedMemoryCheck freed;
  skinToFree = &formSkin;
  flat->OnClick = [](fw::TObject*) {
    ::SetTimer(nullptr, 0, 20, Inside::Free);
    PumpFor(150);
  };
  ClickSpeed(flat);
  EXPECT_FALSE(formSkin);
  EXPECT_EQ(freed.WrittenAfterFree(), 0);
}

// Speed buttons on containers that the skin paints whole (a group box, a status bar, a tab
// control) are painted over the container's skin; without a skin the containers show their own
// look beneath them.
TEST(SpeedButtonsOnContainers, ShowTheSkinOverTheContainersAndTheirOwnLookWithout) {
  TSkinElements elements;
  MakeButtonFaces(elements);
  elements.Tabs = std::make_unique<TDataSkinBorder>("Tabs");
  elements.Tabs->Bitmap = TBitmap(5 * 20, 20);
  elements.Tabs->Bitmap.Fill(AsPixel(RGB(60, 60, 200)));
  elements.Tabs->Bitmap2 = elements.Tabs->Bitmap;
  elements.Tabs->FrameCount = 5;
  TSkinData data(nullptr);
  data.SetSkin3rd({L"TSpeedButton=speedbutton"});
  fw::TForm form(nullptr);
  form.SetBounds(60, 60, 480, 260);
  auto* group = new fw::TGroupBox(&form);
  group->SetParent(&form);
  group->SetBounds(10, 10, 200, 90);
  group->SetText(L"Group");
  auto* tabs = new fw::TTabControl(&form);
  tabs->SetParent(&form);
  tabs->SetBounds(230, 10, 200, 110);
  tabs->SetTabs({L"Tab"});
  auto* status = new fw::TStatusBar(&form);
  status->SetParent(&form);
  status->SetBounds(0, 180, 460, 34);
  status->SetPanels({{L"Status", 100}, {L"", 300}});
  std::vector<std::pair<fw::TWinControl*, fw::TSpeedButton*>> speeds;
  for (auto [parent, left, top] :
       {std::tuple<fw::TWinControl*, int, int>{group, 20, 35}, {tabs, 20, 45}, {status, 150, 3}}) {
    auto* speed = new fw::TSpeedButton(&form);
    speed->SetParent(parent);
    speed->SetBounds(left, top, 50, 28);
    speeds.push_back({parent, speed});
  }
  form.Show();
  Pump();
  // Without the skin: the group box's own frame and caption show around its speed button.
  const RECT caption = ScreenRect(group->Handle());
  EXPECT_GT(Find({caption.left, caption.top, caption.left + 60, caption.top + 14},
                 ::GetSysColor(COLOR_WINDOWTEXT))
                .count,
            0);
  auto formSkin = StartFormSkin(form.Handle(), {&elements, DefaultSkinControls(), {}, &data});
  ASSERT_TRUE(formSkin);
  form.Invalidate();
  ::RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  testing_support::SaveWindowShot(form.Handle(), 10, L"skin_controls", L"contained_speed.bmp");
  for (auto [parent, speed] : speeds) {
    EXPECT_EQ(parent->Perform(SM_ISSKINNED), 1) << fw::WideToUtf8(parent->ClassName());
    EXPECT_EQ(AtCorner(ScreenRect(parent->Handle(), speed)), kFaces[0])
        << fw::WideToUtf8(parent->ClassName());
  }
}

TEST_F(GlyphButtons, AFreedSpeedButtonTakesItsSkinAlong) {
  fw::TSpeedButton* gone = speeds[2];
  delete gone;
  speeds[2] = nullptr;
  Pump();
  // The others keep working skinned.
  ClickSpeed(speeds[0]);
  EXPECT_EQ(AtCorner(Rect(speeds[0])), kFaces[1]);
}

} // namespace
