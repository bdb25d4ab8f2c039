// The settings dialog: compressor, quality, capture interval, key-frame interval and playback
// rate of the engine, and what recordings take, edited modally and written back on OK.
#pragma once

#include "app/area_settings.h"
#include "framework/comctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"

namespace recorder {
class TScreenCam;
}

namespace app {

class TOptionDlg : public fw::TForm {
public:
  explicit TOptionDlg(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TOptionDlg"; }

  // Fills the dialog from the engine (whose compressor list was just rebuilt), shows it modally
  // and on OK writes the values back. A key-frame text that is not an integer throws the
  // conversion error after the compressor and the quality were written.
  void EditSettings(recorder::TScreenCam& Cam);
  // Refreshes the three value labels from the sliders.
  void ShowValues();

  void TrackBarPlaybackChange(fw::TObject* Sender);
  void TrackBarQualityChange(fw::TObject* Sender);

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
  // The group "录制范围".
  TAreaSettings FAreaSettings;

protected:
  void Loaded() override;
  void CreateWnd() override;
};

// The program's one settings dialog, made by the main block.
extern TOptionDlg* OptionDlg;

} // namespace app
