// The three forms read from the program's resources: bounds, texts, fonts, tab order, default and
// cancel buttons.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/optdlg.h"
#include "framework/comctrls.h"
#include "framework/exception.h"
#include "tests/windows/forms/forms_test_util.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using forms_tests::ChildBounds;
using forms_tests::WindowText;

struct Expected {
  const wchar_t* name;
  int left, top, width, height;
  const wchar_t* text; // null: not compared
};

template <class T> T& Get(fw::TComponent& form, const wchar_t* name) {
  auto* c = dynamic_cast<T*>(form.FindComponent(name));
  if (!c) throw std::runtime_error("missing component");
  return *c;
}

// Tabled bounds; a label that sizes itself may only grow beyond them (for a larger substitute
// font), never move or shrink.
void ExpectControls(fw::TForm& form, const std::vector<Expected>& table) {
  for (const Expected& e : table) {
    SCOPED_TRACE(testing::Message() << "control " << fw::WideToUtf8(e.name));
    auto& control = Get<fw::TWinControl>(form, e.name);
    RECT r = ChildBounds(control);
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.top);
    auto* label = dynamic_cast<fw::TLabel*>(&control);
    auto* combo = dynamic_cast<fw::TComboBox*>(&control);
    if (label && label->AutoSize) {
      EXPECT_GE(r.right - r.left, e.width);
      EXPECT_GE(r.bottom - r.top, e.height);
    } else {
      EXPECT_EQ(r.right - r.left, e.width);
      // A closed drop-down list is as high as its font makes it.
      if (!combo) {
        EXPECT_EQ(r.bottom - r.top, e.height);
      }
    }
    if (e.text) {
      EXPECT_EQ(WindowText(control.Handle()), e.text);
    }
    EXPECT_TRUE(::IsWindowVisible(control.Handle()) || !::IsWindowVisible(form.Handle()));
  }
}

// The child windows that take the focus with Tab, in the order Tab visits them.
std::vector<HWND> TabCycle(HWND form) {
  std::vector<HWND> cycle;
  HWND first = ::GetNextDlgTabItem(form, nullptr, FALSE);
  for (HWND w = first; w && (cycle.empty() || w != first); w = ::GetNextDlgTabItem(form, w, FALSE))
    cycle.push_back(w);
  return cycle;
}

class MainWindowLayout : public testing::Test {
protected:
  void SetUp() override {
    form = std::make_unique<app::TForm1>(nullptr);
    form->Show();
  }
  std::unique_ptr<app::TForm1> form;
};

TEST_F(MainWindowLayout, WindowIsAFixedCentredDialogWithTheProgramCaption) {
  HWND wnd = form->Handle();
  EXPECT_EQ(WindowText(wnd), L"栎澜屏幕录像");
  RECT client;
  ::GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 287);
  EXPECT_EQ(client.bottom, 229);
  LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the border cannot be resized";
  EXPECT_TRUE(style & WS_SYSMENU);
  RECT outer;
  ::GetWindowRect(wnd, &outer);
  int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((outer.left + outer.right) / 2, cx / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, cy / 2, 1);
  testing_support::PumpFor(200);
  forms_tests::SaveWindowPicture(wnd, L"main_window.bmp");
}

TEST_F(MainWindowLayout, ControlsHaveTheirBoundsTextsAndTabOrder) {
  ExpectControls(*form, {
                            {L"Button3", 109, 23, 75, 25, L"功能设置"},
                            {L"Button1", 109, 63, 75, 25, L"开始录制"},
                            {L"Button2", 109, 111, 75, 25, L"停止录入"},
                            {L"Label1", 75, 156, 96, 13, L"按F4开始，F5停止"},
                            {L"Label2", 32, 192, 172, 19, L"定做软件  联系作者"},
                        });
  std::vector<HWND> want = {form->Button1->Handle(), form->Button2->Handle(),
                            form->Button3->Handle()};
  EXPECT_EQ(TabCycle(form->Handle()), want);
  // The first in the tab order has the focus when the window is active.
  ::SetActiveWindow(form->Handle());
  EXPECT_EQ(::GetFocus(), form->Button1->Handle());
}

TEST_F(MainWindowLayout, FontsAndLabelLook) {
  EXPECT_EQ(form->Font().Name(), L"MS Sans Serif");
  EXPECT_EQ(form->Font().Size(), 8);
  EXPECT_EQ(form->Button1->Font().Name(), L"MS Sans Serif") << "controls take the form's font";
  fw::TLabel& label2 = *form->Label2;
  EXPECT_EQ(label2.Font().Name(), L"宋体");
  EXPECT_EQ(label2.Font().Charset(), GB2312_CHARSET);
  EXPECT_EQ(label2.Font().Color(), fw::clNavy);
  EXPECT_EQ(label2.Font().Height(), -19);
  EXPECT_TRUE(label2.Font().Style() & fw::fsUnderline);
  EXPECT_EQ(label2.Cursor(), fw::crHandPoint);
  // The window really uses that font: underlined, GB2312.
  auto font = reinterpret_cast<HFONT>(::SendMessageW(label2.Handle(), WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  ASSERT_TRUE(::GetObjectW(font, sizeof lf, &lf));
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
  EXPECT_TRUE(form->Label1->WordWrap);
  EXPECT_EQ(::GetWindowLongW(form->Label1->Handle(), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(form->SaveDialog1->Filter, L"*.avi|*.avi");
  // The dialog itself adds the extension and asks before a file is replaced.
  EXPECT_EQ(form->SaveDialog1->DefaultExt, L"avi");
  EXPECT_TRUE(form->SaveDialog1->HasOption(fw::TOpenOption::ofOverwritePrompt));
}

TEST(OptionDialogLayout, FormAndControlsAsDescribed) {
  app::TOptionDlg dlg(nullptr);
  dlg.Show();
  HWND wnd = dlg.Handle();
  EXPECT_EQ(WindowText(wnd), L"功能设置");
  RECT outer;
  ::GetWindowRect(wnd, &outer);
  EXPECT_EQ(outer.left, 304);
  EXPECT_EQ(outer.top, 160);
  EXPECT_EQ(outer.right - outer.left, 455);
  EXPECT_EQ(outer.bottom - outer.top, 539) << "grown by the sound group";
  LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "only the system menu";

  ExpectControls(dlg, {
                          {L"Compressor", 8, 8, 425, 97, L"压缩参数"},
                          {L"ComboBoxCompressor", 16, 24, 281, 21, nullptr},
                          {L"Label1", 16, 64, 62, 13, L"视频质量  "},
                          {L"TrackBarQuality", 79, 60, 177, 25, nullptr},
                          {L"LabelQuality", 147, 80, 45, 13, nullptr},
                          {L"GroupBox1", 8, 112, 425, 113, L"录制参数"},
                          {L"Label6", 24, 24, 62, 13, L"1 ms / Frame"},
                          {L"labelmspFrecord", 187, 24, 53, 13, nullptr},
                          {L"Label4", 344, 24, 68, 13, L"1 min. / Frame"},
                          {L"TrackBarRecord", 16, 40, 401, 22, nullptr},
                          {L"Label2", 16, 88, 99, 13, L"Set key frames every"},
                          {L"EditKeyFrames", 136, 83, 65, 21, nullptr},
                          {L"Label3", 216, 88, 31, 13, L"frames"},
                          {L"GroupBox2", 8, 232, 425, 73, L"回放帧速度"},
                          {L"Label5", 24, 16, 23, 13, L"1 fps"},
                          {L"labelFPSPlayback", 192, 16, 40, 13, nullptr},
                          {L"Label7", 384, 16, 29, 13, L"50 fps"},
                          {L"TrackBarPlayback", 16, 32, 401, 22, nullptr},
                          {L"GroupBoxSound", 8, 312, 208, 148, L"声音"},
                          {L"CheckBoxSound", 12, 18, 180, 17, L"录制声音"},
                          {L"LabelSoundSource", 12, 47, 48, 13, L"声音来源"},
                          {L"ComboBoxSoundSource", 66, 43, 130, 21, nullptr},
                          {L"LabelSoundFormat", 12, 74, 48, 13, L"声音格式"},
                          {L"ComboBoxSoundFormat", 66, 70, 130, 21, nullptr},
                          {L"LabelSoundCompression", 12, 101, 48, 13, L"声音压缩"},
                          {L"ComboBoxSoundCompression", 66, 97, 130, 21, nullptr},
                          {L"LabelSoundLevel", 12, 125, 24, 13, L"音量"},
                          {L"ProgressBarSoundLevel", 66, 124, 130, 14, nullptr},
                          {L"GroupBoxArea", 224, 312, 209, 148, L"录制范围"},
                          {L"RadioAreaFull", 12, 18, 80, 17, L"全屏"},
                          {L"RadioAreaRegion", 12, 38, 80, 17, L"选择区域"},
                          {L"RadioAreaWindow", 12, 58, 80, 17, L"窗口"},
                          {L"RadioAreaFollow", 12, 78, 80, 17, L"跟随鼠标"},
                          {L"RadioAreaAllScreens", 108, 18, 90, 17, L"所有屏幕"},
                          {L"EditFollowWidth", 30, 100, 49, 21, nullptr},
                          {L"EditFollowHeight", 98, 100, 49, 21, nullptr},
                          {L"Button2", 120, 475, 75, 25, L"确定"},
                          {L"Button3", 232, 475, 75, 25, L"取消"},
                      });
  // Containment: the list and the quality slider sit in the compressor group, and so on.
  EXPECT_EQ(::GetParent(dlg.ComboBoxCompressor->Handle()), dlg.Compressor->Handle());
  EXPECT_EQ(::GetParent(dlg.EditKeyFrames->Handle()),
            Get<fw::TWinControl>(dlg, L"GroupBox1").Handle());
  EXPECT_EQ(::GetParent(dlg.TrackBarPlayback->Handle()),
            Get<fw::TWinControl>(dlg, L"GroupBox2").Handle());

  // Ranges, no tick marks, the drop-down list takes no typing.
  for (auto [slider, min, max] :
       {std::tuple{dlg.TrackBarQuality, 0, 100}, std::tuple{dlg.TrackBarRecord, 1, 1000},
        std::tuple{dlg.TrackBarPlayback, 1, 1000}}) {
    EXPECT_EQ(::SendMessageW(slider->Handle(), TBM_GETRANGEMIN, 0, 0), min);
    EXPECT_EQ(::SendMessageW(slider->Handle(), TBM_GETRANGEMAX, 0, 0), max);
    EXPECT_TRUE(::GetWindowLongW(slider->Handle(), GWL_STYLE) & TBS_NOTICKS);
  }
  EXPECT_EQ(::GetWindowLongW(dlg.ComboBoxCompressor->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);

  // Tab order: list, quality slider, edit, interval slider, OK, Cancel, rate slider, then the
  // sound group's check box and lists, then what recordings take: the radio group once (at its
  // checked choice) and the following area's size.
  std::vector<HWND> want = {dlg.ComboBoxCompressor->Handle(),
                            dlg.TrackBarQuality->Handle(),
                            dlg.EditKeyFrames->Handle(),
                            dlg.TrackBarRecord->Handle(),
                            dlg.Button2->Handle(),
                            dlg.Button3->Handle(),
                            dlg.TrackBarPlayback->Handle(),
                            dlg.CheckBoxSound->Handle(),
                            dlg.ComboBoxSoundSource->Handle(),
                            dlg.ComboBoxSoundFormat->Handle(),
                            dlg.ComboBoxSoundCompression->Handle()};
  for (const wchar_t* name : {L"RadioAreaFull", L"EditFollowWidth", L"EditFollowHeight"})
    want.push_back(Get<fw::TWinControl>(dlg, name).Handle());
  EXPECT_EQ(TabCycle(wnd), want);
  EXPECT_TRUE(dlg.Button2->Default);
  EXPECT_EQ(::GetWindowLongW(dlg.Button2->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(dlg.Button3->Cancel);
  EXPECT_EQ(dlg.Button2->ModalResult, fw::mrOk);
  EXPECT_EQ(dlg.Button3->ModalResult, fw::mrCancel);
}

TEST(TestFormLayout, NeverShownWithItsControls) {
  app::TForm2 form(nullptr);
  EXPECT_EQ(form.Caption(), L"Form2");
  EXPECT_FALSE(form.Visible());
  std::vector<std::wstring> classes;
  for (fw::TComponent* c : form.Components())
    classes.push_back(c->ClassName());
  EXPECT_EQ(classes, (std::vector<std::wstring>{L"TMemo", L"TMemo", L"TButton", L"TRadioButton",
                                                L"TListBox"}));
  EXPECT_EQ(WindowText(Get<fw::TWinControl>(form, L"Memo1").Handle()), L"Memo1");
  EXPECT_EQ(Get<fw::TListBox>(form, L"ListBox1").Items(), std::vector<std::wstring>{L"ListBox1"});
}

} // namespace
