#include "app/optdlg.h"

#include "app/core/slider_scale.h"
#include "app/form_fields.h"
#include "framework/sysutils.h"
#include "recorder/scrcam.h"

#include <cwchar>

namespace app {

TOptionDlg* OptionDlg = nullptr;

namespace {
// The description is at most 128 characters and ends at its first NUL.
std::wstring Description(const ICINFO& info) {
  const size_t size = sizeof info.szDescription / sizeof info.szDescription[0];
  return std::wstring(info.szDescription, wcsnlen(info.szDescription, size));
}
} // namespace

TOptionDlg::TOptionDlg(fw::TComponent* owner) : fw::TForm(owner) {
  DefineMethod(L"TrackBarPlaybackChange", [this](fw::TObject* s) { TrackBarPlaybackChange(s); });
  DefineMethod(L"TrackBarQualityChange", [this](fw::TObject* s) { TrackBarQualityChange(s); });
  InitFromResource(L"TOPTIONDLG");
}

void TOptionDlg::Loaded() {
  fw::TForm::Loaded();
  Field(*this, L"Compressor", Compressor);
  Field(*this, L"ComboBoxCompressor", ComboBoxCompressor);
  Field(*this, L"TrackBarQuality", TrackBarQuality);
  Field(*this, L"LabelQuality", LabelQuality);
  Field(*this, L"labelmspFrecord", labelmspFrecord);
  Field(*this, L"TrackBarRecord", TrackBarRecord);
  Field(*this, L"EditKeyFrames", EditKeyFrames);
  Field(*this, L"labelFPSPlayback", labelFPSPlayback);
  Field(*this, L"TrackBarPlayback", TrackBarPlayback);
  Field(*this, L"Button2", Button2);
  Field(*this, L"Button3", Button3);
  FAreaSettings.Bind(*this);
}

void TOptionDlg::CreateWnd() {
  fw::TForm::CreateWnd();
  // The quality value's label reaches into the bottom of the quality slider's window: above the
  // slider its digits show whole.
  LabelQuality->BringToFront();
}

void TOptionDlg::EditSettings(recorder::TScreenCam& Cam) {
  ComboBoxCompressor->Clear();
  for (int i = 0; i < Cam.FCompressorCount; ++i)
    ComboBoxCompressor->AddItem(Description(Cam.FCompressors[static_cast<size_t>(i)]));
  // The selection starts at the first entry whatever was chosen before.
  ComboBoxCompressor->SetItemIndex(Cam.FCompressorCount > 0 ? 0 : -1);

  TrackBarRecord->SetPosition(PositionFromMsPerFrame(Cam.FMsPerFrame));
  TrackBarPlayback->SetPosition(PositionFromPlaybackRate(Cam.FPlaybackRate));
  EditKeyFrames->SetText(std::to_wstring(Cam.FKeyFrameEvery));
  TrackBarQuality->SetPosition(PositionFromQuality(Cam.FQuality));
  // A slider already at its position raises no change: the labels are refreshed anyway.
  ShowValues();
  FAreaSettings.Show(Cam);

  if (ShowModal() != fw::mrOk) return;

  FAreaSettings.Apply(Cam);
  Cam.FCompressorIndex = ComboBoxCompressor->ItemIndex();
  if (Cam.FCompressorIndex >= 0 && Cam.FCompressorIndex < Cam.FCompressorCount)
    Cam.FCompressorHandler = Cam.FCompressors[static_cast<size_t>(Cam.FCompressorIndex)].fccHandler;
  Cam.FQuality = QualityFromPosition(TrackBarQuality->Position(), TrackBarQuality->Max());
  Cam.FKeyFrameEvery = fw::StrToInt(EditKeyFrames->Text());
  Cam.FMsPerFrame = MsPerFrameFromPosition(TrackBarRecord->Position(), TrackBarRecord->Max());
  Cam.FPlaybackRate =
      PlaybackRateFromPosition(TrackBarPlayback->Position(), TrackBarPlayback->Max());
}

void TOptionDlg::ShowValues() {
  if (!labelmspFrecord || !labelFPSPlayback || !LabelQuality) return; // still loading
  labelmspFrecord->SetText(
      std::to_wstring(MsPerFrameFromPosition(TrackBarRecord->Position(), TrackBarRecord->Max())) +
      L" ms");
  labelFPSPlayback->SetText(std::to_wstring(PlaybackRateFromPosition(TrackBarPlayback->Position(),
                                                                     TrackBarPlayback->Max())) +
                            L" fps");
  LabelQuality->SetText(std::to_wstring(TrackBarQuality->Position()));
}

void TOptionDlg::TrackBarPlaybackChange(fw::TObject*) {
  ShowValues();
}

void TOptionDlg::TrackBarQualityChange(fw::TObject*) {
  ShowValues();
}

} // namespace app
