// The settings dialog against a real engine: what it shows, what OK writes (and in which order
// when the key-frame text is wrong), and that Cancel writes nothing.
#include "app/Unit1.h"
#include "app/optdlg.h"
#include "framework/application.h"
#include "framework/sysutils.h"
#include "recorder/core/fourcc.h"
#include "recorder/scrcam.h"
#include "tests/windows/engine/engine_test_util.h"
#include "tests/windows/forms/forms_test_util.h"
#include "tests/windows/support/test_codec.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

using forms_tests::ClickButton;
using forms_tests::PressKey;
using forms_tests::WhenShown;
using forms_tests::WindowText;

// What the drop-down tells its parent when the user picks an entry.
void Choose(fw::TComboBox& list) {
  HWND wnd = list.Handle();
  ::SendMessageW(::GetParent(wnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(wnd), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(wnd));
}

class SettingsDialog : public testing::Test {
protected:
  SettingsDialog() : cam(&owner) {}
  // Drives the open dialog with `user`, then EditSettings returns.
  void Edit(std::function<void()> user) {
    WhenShown(dlg, std::move(user));
    dlg.EditSettings(cam);
  }
  fw::TForm owner{nullptr};
  recorder::TScreenCam cam;
  app::TOptionDlg dlg{nullptr};
};

TEST_F(SettingsDialog, ShowsTheDefaultsAndOkKeepsThemButRoundsTheQuality) {
  Edit([&] {
    EXPECT_EQ(dlg.TrackBarRecord->Position(), 419);
    EXPECT_EQ(::SendMessageW(dlg.TrackBarRecord->Handle(), TBM_GETPOS, 0, 0), 419);
    EXPECT_EQ(WindowText(dlg.labelmspFrecord->Handle()), L"100 ms");
    EXPECT_EQ(dlg.TrackBarPlayback->Position(), 183);
    EXPECT_EQ(WindowText(dlg.labelFPSPlayback->Handle()), L"10 fps");
    EXPECT_EQ(WindowText(dlg.EditKeyFrames->Handle()), L"5");
    EXPECT_EQ(dlg.TrackBarQuality->Position(), 66);
    EXPECT_EQ(WindowText(dlg.LabelQuality->Handle()), L"66");
    forms_tests::SaveWindowPicture(dlg.Handle(), L"settings_dialog.bmp");
    ClickButton(*dlg.Button2);
  });
  EXPECT_FALSE(::IsWindowVisible(dlg.Handle()));
  EXPECT_EQ(cam.FMsPerFrame, 100);
  EXPECT_EQ(cam.FPlaybackRate, 10);
  EXPECT_EQ(cam.FKeyFrameEvery, 5);
  EXPECT_EQ(cam.FQuality, 6600);
}

TEST_F(SettingsDialog, SlidersShowAndWriteTheirValues) {
  Edit([&] {
    dlg.TrackBarRecord->SetPosition(500);
    EXPECT_EQ(WindowText(dlg.labelmspFrecord->Handle()), L"244 ms");
    dlg.TrackBarRecord->SetPosition(999);
    EXPECT_EQ(WindowText(dlg.labelmspFrecord->Handle()), L"59343 ms");
    dlg.TrackBarPlayback->SetPosition(500);
    EXPECT_EQ(WindowText(dlg.labelFPSPlayback->Handle()), L"25 fps");
    // The user moves the quality slider with the keyboard: one step right.
    dlg.TrackBarQuality->SetFocus();
    ::SendMessageW(dlg.TrackBarQuality->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(dlg.TrackBarQuality->Position(), 67);
    EXPECT_EQ(WindowText(dlg.LabelQuality->Handle()), L"67");
    ::SetWindowTextW(dlg.EditKeyFrames->Handle(), L"-3");
    // Enter closes with the default button.
    dlg.EditKeyFrames->SetFocus();
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(cam.FMsPerFrame, 59343);
  EXPECT_EQ(cam.FPlaybackRate, 25);
  EXPECT_EQ(cam.FQuality, 6700);
  EXPECT_EQ(cam.FKeyFrameEvery, -3) << "no range test";
}

TEST_F(SettingsDialog, RateOneIsShownAtTheSliderMinimum) {
  cam.FPlaybackRate = 1;
  cam.FMsPerFrame = 60000;
  Edit([&] {
    EXPECT_EQ(dlg.TrackBarPlayback->Position(), 1) << "position 0 is clamped to the minimum";
    EXPECT_EQ(WindowText(dlg.labelFPSPlayback->Handle()), L"1 fps");
    EXPECT_EQ(WindowText(dlg.labelmspFrecord->Handle()), L"60000 ms");
    ClickButton(*dlg.Button2);
  });
  EXPECT_EQ(cam.FPlaybackRate, 1);
  EXPECT_EQ(cam.FMsPerFrame, 60000);
}

TEST_F(SettingsDialog, CancelAndEscapeWriteNothing) {
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Esc" : "Cancel button");
    Edit([&] {
      dlg.TrackBarRecord->SetPosition(1);
      dlg.TrackBarPlayback->SetPosition(1000);
      dlg.TrackBarQuality->SetPosition(3);
      ::SetWindowTextW(dlg.EditKeyFrames->Handle(), L"99");
      if (escape) {
        dlg.TrackBarRecord->SetFocus();
        PressKey(VK_ESCAPE);
      } else {
        ClickButton(*dlg.Button3);
      }
    });
    EXPECT_FALSE(::IsWindowVisible(dlg.Handle()));
    EXPECT_EQ(cam.FMsPerFrame, 100);
    EXPECT_EQ(cam.FPlaybackRate, 10);
    EXPECT_EQ(cam.FQuality, 6550);
    EXPECT_EQ(cam.FKeyFrameEvery, 5);
    EXPECT_EQ(cam.FCompressorIndex, -1);
  }
}

TEST_F(SettingsDialog, ANonIntegerKeyFrameTextStopsAfterCompressorAndQuality) {
  testing_support::ScopedTestCodec codec;
  cam.ListCompressors();
  ASSERT_GE(cam.FCompressorCount, 1);
  try {
    Edit([&] {
      dlg.TrackBarQuality->SetPosition(20);
      dlg.TrackBarRecord->SetPosition(1);
      dlg.TrackBarPlayback->SetPosition(1000);
      ::SetWindowTextW(dlg.EditKeyFrames->Handle(), L"5x");
      ClickButton(*dlg.Button2);
    });
    ADD_FAILURE() << "no conversion error";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ(e.Message(), L"'5x' is not a valid integer value");
  }
  EXPECT_EQ(cam.FCompressorIndex, 0);
  EXPECT_EQ(cam.FCompressorHandler, cam.FCompressors[0].fccHandler);
  EXPECT_EQ(cam.FQuality, 2000);
  EXPECT_EQ(cam.FKeyFrameEvery, 5);
  EXPECT_EQ(cam.FMsPerFrame, 100) << "interval left unchanged";
  EXPECT_EQ(cam.FPlaybackRate, 10) << "rate left unchanged";
}

TEST_F(SettingsDialog, CompressorListShowsDescriptionsAndTheChoiceIsWritten) {
  testing_support::ScopedTestCodec codec;
  cam.ListCompressors();
  int count = cam.FCompressorCount;
  ASSERT_GE(count, 1);
  cam.ListCompressors();
  EXPECT_EQ(cam.FCompressorCount, count) << "reopening lists no entry twice";
  int test = -1;
  for (int i = 0; i < count; ++i)
    if (cam.FCompressors[static_cast<size_t>(i)].fccHandler == testing_support::kTestCodecHandler)
      test = i;
  ASSERT_GE(test, 0);
  // A description is cut at its first NUL.
  std::memcpy(cam.FCompressors[static_cast<size_t>(test)].szDescription, L"Test\0garbage",
              sizeof L"Test\0garbage");
  cam.FCompressorIndex = test; // the selection starts at the first entry regardless
  Edit([&] {
    auto items = dlg.ComboBoxCompressor->Items();
    ASSERT_EQ(static_cast<int>(items.size()), count);
    EXPECT_EQ(items[static_cast<size_t>(test)], L"Test");
    EXPECT_EQ(::SendMessageW(dlg.ComboBoxCompressor->Handle(), CB_GETCOUNT, 0, 0), count);
    EXPECT_EQ(dlg.ComboBoxCompressor->ItemIndex(), 0);
    ::SendMessageW(dlg.ComboBoxCompressor->Handle(), CB_SETCURSEL, static_cast<WPARAM>(test), 0);
    ClickButton(*dlg.Button2);
  });
  EXPECT_EQ(cam.FCompressorIndex, test);
  EXPECT_EQ(cam.FCompressorHandler, testing_support::kTestCodecHandler);
}

TEST_F(SettingsDialog, AnEmptyListLeavesTheHandler) {
  cam.FCompressorCount = 0;
  cam.FCompressorHandler = mmioFOURCC('X', 'Y', 'Z', 'W');
  Edit([&] {
    EXPECT_EQ(::SendMessageW(dlg.ComboBoxCompressor->Handle(), CB_GETCOUNT, 0, 0), 0);
    ClickButton(*dlg.Button2);
  });
  EXPECT_EQ(cam.FCompressorIndex, -1);
  EXPECT_EQ(cam.FCompressorHandler, mmioFOURCC('X', 'Y', 'Z', 'W'));
}

// The sound group against the sound server of with_sound.sh (a tone playing into its default
// input): silent by default, the system's sources listed, the meter hearing the tone while the
// dialog is open and only then, the playback slider following the interval while sound is
// ticked; OK keeps the choice, Cancel changes nothing.
TEST_F(SettingsDialog, SoundChoiceTheMeterAndTheRateThatFollowsTheInterval) {
  const auto sources = recorder::ListSoundSources();
  const auto monitor = std::find_if(sources.begin(), sources.end(), [](const auto& s) {
    return s.name.rfind(L"Monitor of Null Output", 0) == 0;
  });
  ASSERT_NE(monitor, sources.end()) << "run through with_sound.sh";
  const int monitorIndex = static_cast<int>(monitor - sources.begin());
  Edit([&] {
    EXPECT_FALSE(dlg.CheckBoxSound->Checked());
    auto names = dlg.ComboBoxSoundSource->Items();
    ASSERT_EQ(names.size(), sources.size());
    EXPECT_EQ(names[0], L"默认设备");
    EXPECT_EQ(dlg.ComboBoxSoundSource->ItemIndex(), 0);
    EXPECT_EQ(dlg.ComboBoxSoundFormat->Items()[dlg.ComboBoxSoundFormat->ItemIndex()],
              L"44,100 Hz 立体声");
    EXPECT_EQ(dlg.ComboBoxSoundCompression->Items(),
              (std::vector<std::wstring>{L"PCM", L"IMA ADPCM"}));
    EXPECT_EQ(dlg.ComboBoxSoundCompression->ItemIndex(), 0);
    // The tone's amplitude 0.5 is -6 dB: 90 on the meter.
    EXPECT_TRUE(testing_support::PumpUntil(
        [&] { return dlg.ProgressBarSoundLevel->Position() > 80; }, 10000));
    EXPECT_NEAR(::SendMessageW(dlg.ProgressBarSoundLevel->Handle(), PBM_GETPOS, 0, 0), 90, 5);
    ClickButton(*dlg.CheckBoxSound);
    EXPECT_FALSE(::IsWindowEnabled(dlg.TrackBarPlayback->Handle()));
    EXPECT_EQ(WindowText(dlg.labelFPSPlayback->Handle()), L"10 fps (跟随录制间隔)");
    dlg.TrackBarRecord->SetPosition(500);
    EXPECT_EQ(WindowText(dlg.labelFPSPlayback->Handle()), L"4.1 fps (跟随录制间隔)");
    forms_tests::SaveWindowPicture(dlg.Handle(), L"settings_dialog_sound.bmp");
    // Another source and format, as the user picks them from the lists.
    ::SendMessageW(dlg.ComboBoxSoundSource->Handle(), CB_SETCURSEL, monitorIndex, 0);
    Choose(*dlg.ComboBoxSoundSource);
    const auto formats = dlg.ComboBoxSoundFormat->Items();
    const auto mono = std::find(formats.begin(), formats.end(), L"22,050 Hz 单声道");
    ASSERT_NE(mono, formats.end());
    ::SendMessageW(dlg.ComboBoxSoundFormat->Handle(), CB_SETCURSEL, mono - formats.begin(), 0);
    Choose(*dlg.ComboBoxSoundFormat);
    EXPECT_EQ(dlg.SoundMeter().Rate(), 22050) << "the meter listens in the chosen format";
    ::SendMessageW(dlg.ComboBoxSoundCompression->Handle(), CB_SETCURSEL, 1, 0);
    ClickButton(*dlg.Button2);
  });
  EXPECT_FALSE(dlg.SoundMeter().Running()) << "the meter stops with the dialog";
  EXPECT_TRUE(cam.Sound.record);
  EXPECT_EQ(cam.Sound.source.name, monitor->name);
  EXPECT_EQ(cam.Sound.source.kind, recorder::TSoundSourceKind::Device);
  EXPECT_EQ(cam.Sound.rate, 22050);
  EXPECT_EQ(cam.Sound.channels, 1);
  EXPECT_TRUE(cam.Sound.adpcm);
  EXPECT_EQ(cam.FPlaybackRate, 10) << "the slider's own rate is kept for later";

  Edit([&] {
    EXPECT_TRUE(dlg.CheckBoxSound->Checked());
    EXPECT_EQ(dlg.ComboBoxSoundSource->ItemIndex(), monitorIndex);
    EXPECT_EQ(dlg.ComboBoxSoundFormat->Items()[dlg.ComboBoxSoundFormat->ItemIndex()],
              L"22,050 Hz 单声道");
    EXPECT_EQ(dlg.ComboBoxSoundCompression->ItemIndex(), 1);
    EXPECT_FALSE(::IsWindowEnabled(dlg.TrackBarPlayback->Handle()));
    ClickButton(*dlg.CheckBoxSound);
    EXPECT_TRUE(::IsWindowEnabled(dlg.TrackBarPlayback->Handle()));
    EXPECT_EQ(WindowText(dlg.labelFPSPlayback->Handle()), L"10 fps");
    ::SendMessageW(dlg.ComboBoxSoundSource->Handle(), CB_SETCURSEL, 0, 0);
    Choose(*dlg.ComboBoxSoundSource);
    ClickButton(*dlg.Button3);
  });
  EXPECT_TRUE(cam.Sound.record) << "Cancel changes nothing";
  EXPECT_EQ(cam.Sound.source.name, monitor->name);
  EXPECT_EQ(cam.Sound.rate, 22050);
  EXPECT_TRUE(cam.Sound.adpcm);
}

// Through the main window's settings button: the conversion error reaches the error box.
TEST(SettingsButton, ConversionErrorShowsTheErrorBox) {
  app::TForm1 form(nullptr);
  app::TOptionDlg dlg(nullptr);
  app::OptionDlg = &dlg;
  form.Show();
  testing_support::MessageBoxRecorder boxes;
  WhenShown(dlg, [&] {
    ::SetWindowTextW(dlg.EditKeyFrames->Handle(), L"abc");
    ClickButton(*dlg.Button2);
  });
  ClickButton(*form.Button3);
  app::OptionDlg = nullptr;
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"'abc' is not a valid integer value");
  EXPECT_EQ(shown[0].caption, fw::Application->Title());
  EXPECT_EQ(form.ScreenCam->FKeyFrameEvery, 5);
  EXPECT_EQ(form.ScreenCam->FQuality, 6600) << "written before the conversion";
}

} // namespace

namespace {

// What the user set in the dialog reaches the compressor: its quality with every frame, and key
// frames asked for at the interval typed in.
TEST_F(SettingsDialog, ARecordingCompressesWithTheQualityAndKeyFramesSetHere) {
  testing_support::ScopedTestCodec codec;
  ASSERT_TRUE(engine_tests::ChooseTestCodec(cam));
  const int test = cam.FCompressorIndex;
  cam.FCompressorIndex = -1;
  cam.FCompressorHandler = recorder::kDefaultCompressor;
  Edit([&] {
    ::SendMessageW(dlg.ComboBoxCompressor->Handle(), CB_SETCURSEL, static_cast<WPARAM>(test), 0);
    dlg.TrackBarQuality->SetPosition(30);
    dlg.TrackBarRecord->SetPosition(300); // 37 ms per frame
    ::SetWindowTextW(dlg.EditKeyFrames->Handle(), L"4");
    ClickButton(*dlg.Button2);
  });
  cam.FShowFrame = false;
  engine_tests::AreaControl area(0, 0, 64, 48);
  cam.StartRecording(&area, testing_support::ArtifactPath(L"forms", L"settings.avi"));
  testing_support::PumpFor(800);
  cam.StopRecording();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return cam.FWorker == nullptr; }, 10000));
  auto calls = testing_support::ScopedTestCodec::Calls();
  ASSERT_GE(calls.size(), 8u);
  for (const auto& call : calls)
    EXPECT_EQ(call.quality, 3000u) << call.frameNum;
  EXPECT_EQ(testing_support::KeyFrameMismatches(calls, 4), std::vector<long>{});
}

} // namespace
