#include "tests/windows/skin_controls/gallery.h"

#include "framework/comctrls.h"
#include "framework/date_time_picker.h"
#include "framework/glyph_check.h"
#include "framework/header_control.h"
#include "framework/list_view.h"
#include "framework/media_player.h"
#include "framework/menus.h"
#include "framework/page_control.h"
#include "framework/panel.h"
#include "framework/status_bar.h"
#include "framework/tab_control.h"
#include "framework/tab_set.h"
#include "skin/controls/list_view.h"
#include "skin/controls/obj_image.h"

#include <commctrl.h>

namespace testing_support {

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

void TGallery::PrepareSkin(skin::TSkinData& data) {
  data.SetSkin3rd({L"TBitBtn=bitbtn", L"TSpeedButton=speedbutton", L"TMenuButton=menubtn",
                   L"TDateTimePicker=datetimepicker"});
  // The kinds no class rule reaches: list views and glyph check boxes.
  data.OnSkinControl = [](fw::TComponent*, skin::TSkinData*, fw::TComponent*,
                          fw::TComponent* control, const std::wstring&, fw::TComponent*& skin) {
    if (dynamic_cast<fw::TListView*>(control)) skin = new skin::TSkinListView;
    if (dynamic_cast<fw::TGlyphCheckBox*>(control)) {
      skin::ControlDecision check;
      check.kind = skin::SkinnerKind("ObjImage");
      check.mode = skin::SkinnerMode("Check");
      skin = skin::TSkinObjImage::Create(check).release();
    }
  };
}

TGallery::TGallery() : form_(std::make_unique<fw::TForm>(nullptr)) {
  fw::TForm* form = form_.get();
  form->SetCaption(L"控件一览 Gallery");
  form->SetBounds(20, 20, 780, 560);
  auto* menu = new fw::TMainMenu(form);
  fw::TMenuItem* file = menu->Items().Add(L"&File");
  file->Add(L"&New");
  file->Add(L"-");
  file->Add(L"E&xit");
  menu->Items().Add(L"&Edit")->Add(L"&Copy");
  form->SetMenu(menu);
  auto add = [this](auto* control) {
    windowed_.push_back(control);
    return control;
  };
  // Left column.
  add(Place<fw::TButton>(form, 10, 10, 110, 28, L"Button"));
  add(Place<fw::TCheckBox>(form, 10, 46, 110, 20, L"Check box"))->SetChecked(true);
  add(Place<fw::TRadioButton>(form, 10, 70, 110, 20, L"Radio button"))->SetChecked(true);
  auto* group = add(Place<fw::TGroupBox>(form, 10, 96, 170, 70, L"Group box"));
  add(Place<fw::TRadioButton>(group, 12, 24, 100, 20, L"Inside"));
  speeds_.push_back(Place<fw::TSpeedButton>(group, 116, 22, 44, 26, L"Sp"));
  add(Place<fw::TPanel>(form, 10, 174, 170, 44, L"Panel"));
  add(Place<fw::TTrackBar>(form, 10, 226, 140, 32))->SetPosition(4);
  add(Place<fw::TUpDown>(form, 156, 226, 20, 32));
  add(Place<fw::TProgressBar>(form, 10, 266, 170, 18))->SetPosition(60);
  add(Place<fw::TEdit>(form, 10, 292, 170, 24, L"Edit"));
  auto* combo = add(Place<fw::TComboBox>(form, 10, 324, 170, 24));
  combo->SetItems({L"Combo box", L"Second", L"Third"});
  combo->SetItemIndex(0);
  add(Place<fw::TDateTimePicker>(form, 10, 356, 170, 24));
  auto* glyphCheck = Place<fw::TGlyphCheckBox>(form, 10, 388, 170, 20, L"Glyph check box");
  glyphCheck->SetChecked(true);
  glyphCheck->SetParentColor(true);
  glyphCheck_ = glyphCheck;
  // Middle column.
  memo_ = add(Place<fw::TMemo>(form, 200, 10, 170, 96));
  memo_->ScrollBars = fw::ssBoth;
  memo_->SetLines(Numbered(L"A memo line long enough to scroll sideways, line", 12));
  auto* list = add(Place<fw::TListBox>(form, 200, 114, 170, 80));
  list->SetItems(Numbered(L"List box item", 12));
  list->SetItemIndex(1);
  auto* bit = add(Place<fw::TBitBtn>(form, 200, 228, 110, 30, L"Bit button"));
  fw::TBitmap glyph(16, 16);
  glyph.Fill(fw::RgbPixel(40, 120, 200));
  glyph.FillRect({4, 4, 12, 12}, fw::RgbPixel(250, 200, 40));
  images_.AddMasked(glyph, fw::kMagentaColour);
  bit->Images = &images_;
  bit->ImageIndex = 0;
  speeds_.push_back(Place<fw::TSpeedButton>(form, 316, 228, 54, 30, L"Speed"));
  add(Place<fw::TMenuButton>(form, 200, 264, 170, 28, L"Menu button"));
  add(Place<fw::TMediaPlayer>(form, 200, 300, 170, 30));
  auto* tabSet = add(Place<fw::TTabSet>(form, 200, 340, 170, 24));
  tabSet->Tabs = {L"Tab", L"set", L"tabs"};
  tabSet->TabIndex = 0;
  // Right column.
  add(Place<fw::THeaderControl>(form, 390, 10, 370, 24))
      ->SetSections({{L"Header", 120}, {L"control", 120}});
  auto* listView = add(Place<fw::TListView>(form, 390, 42, 370, 100));
  listView->Columns = {{L"List view", 150}, {L"Column", 100}};
  listView->Items = Numbered(L"Row", 8);
  auto* tabs = add(Place<fw::TTabControl>(form, 390, 150, 370, 90));
  tabs->SetTabs({L"Tab control", L"Second", L"Third"});
  tabs->SetTabIndex(0);
  speeds_.push_back(Place<fw::TSpeedButton>(tabs, 300, 40, 54, 28, L"Speed"));
  auto* pages = add(Place<fw::TPageControl>(form, 390, 248, 370, 160));
  auto* firstPage = add(new fw::TTabSheet(*pages, L"Page control"));
  new fw::TTabSheet(*pages, L"Second page");
  add(Place<fw::TCheckBox>(firstPage, 12, 12, 160, 20, L"On a page"));
  auto* buttonTabs = add(new fw::TTabControl(form));
  buttonTabs->TabStyle = TCS_BUTTONS;
  buttonTabs->SetParent(form);
  buttonTabs->SetBounds(200, 372, 170, 36);
  buttonTabs->SetTabs({L"Button", L"tabs"});
  auto* status = add(Place<fw::TStatusBar>(form, 0, 0, 100, 22));
  status->SetPanels({{L"Status bar", 160}, {L"Panels", 160}, {L"", 50}});
  form->Show();
  // The window's size is known now: the status bar goes along its bottom, a menu bar's height
  // above it (a skinned frame takes that much more of a form with a menu).
  RECT client;
  ::GetClientRect(form->Handle(), &client);
  status->SetBounds(0, client.bottom - 22 - ::GetSystemMetrics(SM_CYMENU), client.right, 22);
  speeds_.push_back(Place<fw::TSpeedButton>(status, 330, 1, 50, 20, L"Speed"));
  ::SetForegroundWindow(form->Handle());
  ::SetActiveWindow(form->Handle());
}

TGallery::~TGallery() = default;

} // namespace testing_support
