// The gallery: one form with a control of every kind the skin paints, skinned with the program's
// own skin (Lanlin Lake) through the skin manager as a user sees it, then with the skin off.
// Both looks are saved as pictures (gallery_skinned.png, gallery_unskinned.png) to be looked at.
#include "framework/buttons.h"
#include "framework/comctrls.h"
#include "framework/date_time_picker.h"
#include "framework/form.h"
#include "framework/glyph_check.h"
#include "framework/header_control.h"
#include "framework/image_list.h"
#include "framework/list_view.h"
#include "framework/media_player.h"
#include "framework/page_control.h"
#include "framework/panel.h"
#include "framework/status_bar.h"
#include "framework/stdctrls.h"
#include "framework/sysutils.h"
#include "framework/tab_control.h"
#include "framework/tab_set.h"
#include "skin/controls/list_view.h"
#include "skin/controls/obj_image.h"
#include "skin/controls/scroll_bar.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

using namespace skin;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

template <class T>
T* Place(fw::TWinControl* parent, int left, int top, int width, int height,
         const wchar_t* caption = nullptr) {
  fw::TComponent* owner = parent;
  while (owner->Owner())
    owner = owner->Owner(); // the form owns them all
  auto* control = new T(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  if (caption) control->SetText(caption);
  return control;
}

std::vector<std::wstring> Numbered(const wchar_t* word, int count) {
  std::vector<std::wstring> lines;
  for (int i = 1; i <= count; ++i)
    lines.push_back(std::wstring(word) + L" " + std::to_wstring(i));
  return lines;
}

} // namespace

TEST(Gallery, EveryKindOfControlSkinnedAndUnskinned) {
  TSkinManagerScope scope;
  auto data = testing_support::ReadProgramSkin();
  data->SetSkin3rd({L"TBitBtn=bitbtn", L"TSpeedButton=speedbutton", L"TMenuButton=menubtn",
                    L"TDateTimePicker=datetimepicker"});
  // The kinds no class rule reaches: list views and glyph check boxes.
  data->OnSkinControl = [](fw::TComponent*, TSkinData*, fw::TComponent*, fw::TComponent* control,
                           const std::wstring&, fw::TComponent*& skin) {
    if (dynamic_cast<fw::TListView*>(control)) skin = new TSkinListView;
    if (dynamic_cast<fw::TGlyphCheckBox*>(control)) {
      ControlDecision check;
      check.kind = SkinnerKind::ObjImage;
      check.mode = SkinnerMode::Check;
      skin = TSkinObjImage::Create(check).release();
    }
  };
  data->Loaded();
  ASSERT_FALSE(data->SkinMissing());

  fw::TForm form(nullptr);
  form.SetCaption(L"控件一览 Gallery");
  form.SetBounds(20, 20, 780, 560);
  // Left column.
  auto* button = Place<fw::TButton>(&form, 10, 10, 110, 28, L"Button");
  auto* check = Place<fw::TCheckBox>(&form, 10, 46, 110, 20, L"Check box");
  check->SetChecked(true);
  auto* radio = Place<fw::TRadioButton>(&form, 10, 70, 110, 20, L"Radio button");
  radio->SetChecked(true);
  auto* group = Place<fw::TGroupBox>(&form, 10, 96, 170, 70, L"Group box");
  auto* inner = Place<fw::TRadioButton>(group, 12, 24, 140, 20, L"Inside the group");
  auto* panel = Place<fw::TPanel>(&form, 10, 174, 170, 44, L"Panel");
  auto* track = Place<fw::TTrackBar>(&form, 10, 226, 140, 32);
  track->SetPosition(4);
  auto* upDown = Place<fw::TUpDown>(&form, 156, 226, 20, 32);
  auto* progress = Place<fw::TProgressBar>(&form, 10, 266, 170, 18);
  progress->SetPosition(60);
  auto* edit = Place<fw::TEdit>(&form, 10, 292, 170, 24, L"Edit");
  auto* combo = Place<fw::TComboBox>(&form, 10, 324, 170, 24);
  combo->SetItems({L"Combo box", L"Second", L"Third"});
  combo->SetItemIndex(0);
  auto* picker = Place<fw::TDateTimePicker>(&form, 10, 356, 170, 24);
  auto* glyphCheck = Place<fw::TGlyphCheckBox>(&form, 10, 388, 170, 20, L"Glyph check box");
  glyphCheck->SetChecked(true);
  glyphCheck->SetParentColor(true);
  // Middle column.
  auto* memo = Place<fw::TMemo>(&form, 200, 10, 170, 96);
  memo->ScrollBars = fw::ssBoth;
  memo->SetLines(Numbered(L"A memo line long enough to scroll sideways, line", 12));
  auto* list = Place<fw::TListBox>(&form, 200, 114, 170, 80);
  list->SetItems(Numbered(L"List box item", 12));
  list->SetItemIndex(1);
  auto* bit = Place<fw::TBitBtn>(&form, 200, 228, 110, 30, L"Bit button");
  fw::TImageList images(nullptr, 16, 16);
  fw::TBitmap glyph(16, 16);
  glyph.Fill(fw::RgbPixel(40, 120, 200));
  glyph.FillRect({4, 4, 12, 12}, fw::RgbPixel(250, 200, 40));
  images.AddMasked(glyph, fw::kMagentaColour);
  bit->Images = &images;
  bit->ImageIndex = 0;
  auto* speed = Place<fw::TSpeedButton>(&form, 316, 228, 54, 30, L"Speed");
  auto* menuButton = Place<fw::TMenuButton>(&form, 200, 264, 170, 28, L"Menu button");
  auto* player = Place<fw::TMediaPlayer>(&form, 200, 300, 170, 30);
  auto* tabSet = Place<fw::TTabSet>(&form, 200, 340, 170, 24);
  tabSet->Tabs = {L"Tab", L"set", L"tabs"};
  tabSet->TabIndex = 0;
  // Right column.
  auto* header = Place<fw::THeaderControl>(&form, 390, 10, 370, 24);
  header->SetSections({{L"Header", 120}, {L"control", 120}});
  auto* listView = Place<fw::TListView>(&form, 390, 42, 370, 100);
  listView->Columns = {{L"List view", 150}, {L"Column", 100}};
  listView->Items = Numbered(L"Row", 8);
  auto* tabs = Place<fw::TTabControl>(&form, 390, 150, 370, 90);
  tabs->SetTabs({L"Tab control", L"Second", L"Third"});
  tabs->SetTabIndex(0);
  auto* pages = Place<fw::TPageControl>(&form, 390, 248, 370, 160);
  auto* firstPage = new fw::TTabSheet(*pages, L"Page control");
  new fw::TTabSheet(*pages, L"Second page");
  auto* onPage = Place<fw::TCheckBox>(firstPage, 12, 12, 160, 20, L"On a page");
  auto* buttonTabs = new fw::TTabControl(&form);
  buttonTabs->TabStyle = TCS_BUTTONS;
  buttonTabs->SetParent(&form);
  buttonTabs->SetBounds(200, 372, 170, 36);
  buttonTabs->SetTabs({L"Button", L"tabs"});
  auto* status = Place<fw::TStatusBar>(&form, 0, 0, 100, 22);
  status->SetPanels({{L"Status bar", 160}, {L"Panels", 160}, {L"", 50}});
  form.Show();
  // The window's size is known now: the status bar goes along its bottom.
  RECT client;
  ::GetClientRect(form.Handle(), &client);
  status->SetBounds(0, client.bottom - 22, client.right, 22);
  HWND bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_HORZ, 200, 202,
                               170, 18, form.Handle(), nullptr, nullptr, nullptr);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 100, 20, 30, 0};
  ::SetScrollInfo(bar, SB_CTL, &si, TRUE);
  ::SetForegroundWindow(form.Handle());
  ::SetActiveWindow(form.Handle());
  ASSERT_TRUE(
      PumpUntil([&] { return SkinManager()->FindSkinForm(form.Handle()) != nullptr; }, 3000));
  // A bare scroll-bar window gets its skin from whoever made it.
  TSkinScControl barSkin;
  barSkin.AttachWindow(bar, {&data->Elements()}, nullptr);
  PumpFor(300);
  testing_support::SaveWindowPng(form.Handle(), 0, L"skin_controls", L"gallery_skinned.png");

  const std::vector<fw::TWinControl*> windowed = {
      button, check,    radio,  group, inner,     panel,  track,      upDown, progress,
      edit,   combo,    picker, memo,  list,      bit,    menuButton, player, tabSet,
      header, listView, tabs,   pages, firstPage, onPage, buttonTabs, status};
  for (fw::TWinControl* control : windowed)
    EXPECT_EQ(control->Perform(SM_ISSKINNED), 1) << fw::WideToUtf8(control->ClassName());
  EXPECT_EQ(speed->Perform(SM_ISSKINNED), 1);
  EXPECT_EQ(::SendMessageW(bar, SM_ISSKINNED, 0, 0), 1);
  EXPECT_FALSE(glyphCheck->CustomGlyphs.Image.Empty()); // its glyphs come from the skin
  // Magenta is the skin's see-through colour: it never reaches the screen.
  for (fw::TWinControl* control : windowed) {
    RECT r;
    ::GetWindowRect(control->Handle(), &r);
    const fw::TBitmap shot = testing_support::ScreenPixels(r);
    int magenta = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        magenta += (shot.At(x, y) & 0xFFFFFF) == fw::kMagentaPixel;
    EXPECT_EQ(magenta, 0) << fw::WideToUtf8(control->ClassName());
  }

  barSkin.Deactivate();
  data->SetActive(false);
  ASSERT_TRUE(
      PumpUntil([&] { return SkinManager()->FindSkinForm(form.Handle()) == nullptr; }, 3000));
  PumpFor(300);
  testing_support::SaveWindowPng(form.Handle(), 0, L"skin_controls", L"gallery_unskinned.png");
  for (fw::TWinControl* control : windowed)
    EXPECT_EQ(control->Perform(SM_ISSKINNED), 0) << fw::WideToUtf8(control->ClassName());
  ::DestroyWindow(bar);
}
