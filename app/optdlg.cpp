#include "app/optdlg.h"

#include "app/core/slider_scale.h"
#include "app/form_fields.h"
#include "framework/sysutils.h"
#include "recorder/core/sound_convert.h"
#include "recorder/scrcam.h"
#include "recorder/sound_encoder.h"

#include <algorithm>
#include <cwchar>

namespace app {

TOptionDlg* OptionDlg = nullptr;

namespace {
// The description is at most 128 characters and ends at its first NUL.
std::wstring Description(const ICINFO& info) {
  const size_t size = sizeof info.szDescription / sizeof info.szDescription[0];
  return std::wstring(info.szDescription, wcsnlen(info.szDescription, size));
}

// While the rate follows the interval its label is wider, centred where the rate stood.
constexpr int kFollowedRateLeft = 132, kFollowedRateWidth = 160;
constexpr wchar_t kPcmText[] = L"PCM";
constexpr wchar_t kAdpcmText[] = L"IMA ADPCM";

// The listed source that is the chosen one: the same kind and name (device numbers change when
// devices come and go), else the first, the default input.
int IndexOfSource(const std::vector<recorder::TSoundSource>& sources,
                  const recorder::TSoundSource& chosen) {
  for (std::size_t i = 0; i < sources.size(); ++i)
    if (sources[i].kind == chosen.kind && sources[i].name == chosen.name)
      return static_cast<int>(i);
  return 0;
}
} // namespace

TOptionDlg::TOptionDlg(fw::TComponent* owner) : fw::TForm(owner) {
  DefineMethod(L"TrackBarPlaybackChange", [this](fw::TObject* s) { TrackBarPlaybackChange(s); });
  DefineMethod(L"TrackBarQualityChange", [this](fw::TObject* s) { TrackBarQualityChange(s); });
  DefineMethod(L"CheckBoxSoundClick", [this](fw::TObject* s) { CheckBoxSoundClick(s); });
  DefineMethod(L"ComboBoxSoundSourceChange",
               [this](fw::TObject* s) { ComboBoxSoundSourceChange(s); });
  DefineMethod(L"ComboBoxSoundFormatChange",
               [this](fw::TObject* s) { ComboBoxSoundFormatChange(s); });
  DefineMethod(L"TimerSoundLevelTimer", [this](fw::TObject* s) { TimerSoundLevelTimer(s); });
  meter_ = std::make_unique<recorder::TSoundCapture>();
  InitFromResource(L"TOPTIONDLG");
}

TOptionDlg::~TOptionDlg() {
  StopMeter();
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
  Field(*this, L"Label5", Label5);
  Field(*this, L"Label7", Label7);
  Field(*this, L"CheckBoxSound", CheckBoxSound);
  Field(*this, L"ComboBoxSoundSource", ComboBoxSoundSource);
  Field(*this, L"ComboBoxSoundFormat", ComboBoxSoundFormat);
  Field(*this, L"ComboBoxSoundCompression", ComboBoxSoundCompression);
  Field(*this, L"ProgressBarSoundLevel", ProgressBarSoundLevel);
  Field(*this, L"TimerSoundLevel", TimerSoundLevel);
  rateLabelBounds_ = {labelFPSPlayback->Left(), labelFPSPlayback->Top(), labelFPSPlayback->Width(),
                      labelFPSPlayback->Height()};
  AreaSettings.Bind(*this);
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
  ShowSound(Cam.Sound);
  // A slider already at its position raises no change: the labels are refreshed anyway.
  ShowValues();
  AreaSettings.Show(Cam);

  StartMeter();
  const int result = ShowModal();
  StopMeter();
  if (result != fw::mrOk) return;

  AreaSettings.Apply(Cam);
  Cam.FCompressorIndex = ComboBoxCompressor->ItemIndex();
  if (Cam.FCompressorIndex >= 0 && Cam.FCompressorIndex < Cam.FCompressorCount)
    Cam.FCompressorHandler = Cam.FCompressors[static_cast<size_t>(Cam.FCompressorIndex)].fccHandler;
  Cam.FQuality = QualityFromPosition(TrackBarQuality->Position(), TrackBarQuality->Max());
  Cam.FKeyFrameEvery = fw::StrToInt(EditKeyFrames->Text());
  Cam.FMsPerFrame = MsPerFrameFromPosition(TrackBarRecord->Position(), TrackBarRecord->Max());
  Cam.FPlaybackRate =
      PlaybackRateFromPosition(TrackBarPlayback->Position(), TrackBarPlayback->Max());
  Cam.Sound = ChosenSound();
}

void TOptionDlg::ShowValues() {
  if (!labelmspFrecord || !labelFPSPlayback || !LabelQuality) return; // still loading
  labelmspFrecord->SetText(
      std::to_wstring(MsPerFrameFromPosition(TrackBarRecord->Position(), TrackBarRecord->Max())) +
      L" ms");
  if (CheckBoxSound && CheckBoxSound->Checked())
    labelFPSPlayback->SetText(FollowedRateText(
        MsPerFrameFromPosition(TrackBarRecord->Position(), TrackBarRecord->Max())));
  else
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

// --- Sound

recorder::TSoundSettings TOptionDlg::ChosenSound() const {
  recorder::TSoundSettings sound;
  sound.record = CheckBoxSound->Checked();
  const int source = ComboBoxSoundSource->ItemIndex();
  if (source >= 0 && source < static_cast<int>(soundSources_.size()))
    sound.source = soundSources_[static_cast<std::size_t>(source)];
  const int format = ComboBoxSoundFormat->ItemIndex();
  const SoundFormat chosen = format >= 0 && format < static_cast<int>(soundFormats_.size())
                                 ? soundFormats_[static_cast<std::size_t>(format)]
                                 : DefaultSoundFormat(sound.source.channels);
  sound.rate = chosen.rate;
  sound.channels = chosen.channels;
  sound.adpcm = ComboBoxSoundCompression->ItemIndex() == 1;
  return sound;
}

// The sources are listed afresh at every opening: devices come and go.
void TOptionDlg::ShowSound(const recorder::TSoundSettings& sound) {
  CheckBoxSound->SetChecked(sound.record);
  soundSources_ = recorder::ListSoundSources();
  ComboBoxSoundSource->Clear();
  for (const recorder::TSoundSource& source : soundSources_)
    ComboBoxSoundSource->AddItem(source.name);
  ComboBoxSoundSource->SetItemIndex(IndexOfSource(soundSources_, sound.source));
  FillSoundFormats({sound.rate, sound.channels});
  FillSoundCompression(sound.adpcm);
  FollowInterval();
}

// The formats of the chosen source; the wanted one where the source has it, else the default.
void TOptionDlg::FillSoundFormats(const SoundFormat& wanted) {
  const int source = std::max(ComboBoxSoundSource->ItemIndex(), 0);
  const int channels =
      soundSources_.empty() ? 2 : soundSources_[static_cast<std::size_t>(source)].channels;
  soundFormats_ = SoundFormatsFor(channels);
  ComboBoxSoundFormat->Clear();
  for (const SoundFormat& format : soundFormats_)
    ComboBoxSoundFormat->AddItem(SoundFormatText(format));
  int index = IndexOfSoundFormat(soundFormats_, wanted);
  if (index < 0) index = IndexOfSoundFormat(soundFormats_, DefaultSoundFormat(channels));
  ComboBoxSoundFormat->SetItemIndex(index);
}

// "IMA ADPCM" only where the compression manager can make it of the chosen format.
void TOptionDlg::FillSoundCompression(bool adpcm) {
  const recorder::TSoundSettings sound = ChosenSound();
  const bool available = recorder::TSoundEncoder::AdpcmAvailable(sound.rate, sound.channels);
  ComboBoxSoundCompression->Clear();
  ComboBoxSoundCompression->AddItem(kPcmText);
  if (available) ComboBoxSoundCompression->AddItem(kAdpcmText);
  ComboBoxSoundCompression->SetItemIndex(adpcm && available ? 1 : 0);
}

// Sound plays in real time: while it is recorded the playback rate is the interval's, and the
// slider that sets a rate of its own waits, keeping its position for when sound is off again.
void TOptionDlg::FollowInterval() {
  const bool follow = CheckBoxSound->Checked();
  for (fw::TWinControl* control :
       std::initializer_list<fw::TWinControl*>{TrackBarPlayback, Label5, Label7})
    control->SetEnabled(!follow);
  if (follow)
    labelFPSPlayback->SetBounds(kFollowedRateLeft, rateLabelBounds_.top, kFollowedRateWidth,
                                rateLabelBounds_.height);
  else
    labelFPSPlayback->SetBounds(rateLabelBounds_.left, rateLabelBounds_.top, rateLabelBounds_.width,
                                rateLabelBounds_.height);
  ShowValues();
}

void TOptionDlg::CheckBoxSoundClick(fw::TObject*) {
  FollowInterval();
}

void TOptionDlg::ComboBoxSoundSourceChange(fw::TObject*) {
  const recorder::TSoundSettings sound = ChosenSound();
  FillSoundFormats({sound.rate, sound.channels});
  FillSoundCompression(sound.adpcm);
  StartMeter();
}

void TOptionDlg::ComboBoxSoundFormatChange(fw::TObject*) {
  FillSoundCompression(ChosenSound().adpcm);
  StartMeter();
}

// The meter listens to the chosen source in the chosen format; a source that cannot be opened
// leaves it at zero.
void TOptionDlg::StartMeter() {
  const recorder::TSoundSettings sound = ChosenSound();
  std::wstring error;
  meter_->Start(sound.source, sound.rate, sound.channels, error);
  ProgressBarSoundLevel->SetPosition(0);
  TimerSoundLevel->SetEnabled(true);
}

void TOptionDlg::StopMeter() {
  if (TimerSoundLevel) TimerSoundLevel->SetEnabled(false);
  if (meter_) meter_->Stop();
  if (ProgressBarSoundLevel) ProgressBarSoundLevel->SetPosition(0);
}

void TOptionDlg::TimerSoundLevelTimer(fw::TObject*) {
  // Only the level is wanted: the loudest of the blocks since the last reading, then they go.
  std::vector<recorder::TSoundBlock> blocks;
  meter_->Take(blocks);
  int peak = 0;
  for (const recorder::TSoundBlock& block : blocks)
    peak = std::max(peak, recorder::PeakLevel(block.samples.data(), block.samples.size()));
  const bool hearing = meter_->Running() && !meter_->Lost();
  ProgressBarSoundLevel->SetPosition(
      hearing ? MeterAfter(ProgressBarSoundLevel->Position(), MeterPosition(peak)) : 0);
}

} // namespace app
