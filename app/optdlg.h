// The settings dialog: compressor, quality, capture interval, key-frame interval and playback
// rate of the engine, its sound (whether to record it, the source, the format and the
// compression) and what recordings take, edited modally and written back on OK. While it is open a
// level meter shows what the chosen source hears; while sound is recorded the playback rate
// follows the interval.
#pragma once

#include "app/area_settings.h"
#include "app/core/sound_choices.h"
#include "framework/comctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "framework/timer.h"
#include "recorder/sound_capture.h"

#include <memory>
#include <vector>

namespace recorder {
class TScreenCam;
}

namespace app {

class TOptionDlg : public fw::TForm {
public:
  explicit TOptionDlg(fw::TComponent* owner);
  ~TOptionDlg() override;
  std::wstring ClassName() const override { return L"TOptionDlg"; }

  // Fills the dialog from the engine (whose compressor list was just rebuilt), shows it modally
  // and on OK writes the values back. A key-frame text that is not an integer throws the
  // conversion error after the compressor and the quality were written.
  void EditSettings(recorder::TScreenCam& Cam);
  // Refreshes the three value labels from the sliders.
  void ShowValues();

  void TrackBarPlaybackChange(fw::TObject* Sender);
  void TrackBarQualityChange(fw::TObject* Sender);
  void CheckBoxSoundClick(fw::TObject* Sender);
  void ComboBoxSoundSourceChange(fw::TObject* Sender);
  void ComboBoxSoundFormatChange(fw::TObject* Sender);
  void TimerSoundLevelTimer(fw::TObject* Sender);

  fw::TGroupBox* Compressor = nullptr;
  fw::TComboBox* ComboBoxCompressor = nullptr;
  fw::TTrackBar* TrackBarQuality = nullptr;
  fw::TLabel* LabelQuality = nullptr;
  fw::TLabel* labelmspFrecord = nullptr;
  fw::TTrackBar* TrackBarRecord = nullptr;
  fw::TEdit* EditKeyFrames = nullptr;
  fw::TLabel* labelFPSPlayback = nullptr;
  fw::TTrackBar* TrackBarPlayback = nullptr;
  fw::TButton* Button2 = nullptr; // OK
  fw::TButton* Button3 = nullptr; // Cancel
  fw::TLabel* Label5 = nullptr;   // "1 fps"
  fw::TLabel* Label7 = nullptr;   // "50 fps"
  fw::TCheckBox* CheckBoxSound = nullptr;
  fw::TComboBox* ComboBoxSoundSource = nullptr;
  fw::TComboBox* ComboBoxSoundFormat = nullptr;
  fw::TComboBox* ComboBoxSoundCompression = nullptr;
  fw::TProgressBar* ProgressBarSoundLevel = nullptr;
  fw::TTimer* TimerSoundLevel = nullptr;

  // The sound settings as the dialog shows them now.
  recorder::TSoundSettings ChosenSound() const;
  // The meter's capture of the chosen source (not running when it could not be opened).
  const recorder::TSoundCapture& SoundMeter() const { return *meter_; }

  // The group "录制范围".
  TAreaSettings AreaSettings;

protected:
  void Loaded() override;
  void CreateWnd() override;

private:
  void ShowSound(const recorder::TSoundSettings& sound);
  void FillSoundFormats(const app::SoundFormat& wanted);
  void FillSoundCompression(bool adpcm);
  void FollowInterval();
  void StartMeter();
  void StopMeter();

  std::vector<recorder::TSoundSource> soundSources_;
  std::vector<app::SoundFormat> soundFormats_;
  std::unique_ptr<recorder::TSoundCapture> meter_;
  // Where the rate label is while it shows a rate of its own (it grows while it follows).
  struct {
    int left = 0, top = 0, width = 0, height = 0;
  } rateLabelBounds_;
};

// The program's one settings dialog, made by the main block.
extern TOptionDlg* OptionDlg;

} // namespace app
