#include "recorder/sound_stage.h"

#include <mmsystem.h>

#include <algorithm>
#include <limits>

namespace recorder {

namespace {

// Placed sound is written once this much is ready, in chunks of at most kChunkMs: the audio
// stream stays interleaved with the pictures in pieces of a tenth of a second at most.
constexpr int kLeastChunkMs = 50;
constexpr int kChunkMs = 100;
// The stream's chunk header and index entry.
constexpr std::uint32_t kChunkOverhead = 8 + 16;
// How long a file's end waits for the device's blocks up to the moment it ends; the recording's
// end waits until the blocks captured up to its picture's end have come, at most kEndWaitMs.
constexpr DWORD kEndFileWaitMs = 1500;
constexpr DWORD kEndWaitMs = 500;
constexpr DWORD kWaitSliceMs = 10;
constexpr std::int64_t kNoEnd = std::numeric_limits<std::int64_t>::max();

std::wstring Minutes(std::uint64_t ms) {
  const std::uint64_t seconds = ms / 1000;
  std::wstring text = std::to_wstring(seconds / 60) + L":";
  if (seconds % 60 < 10) text += L"0";
  return text + std::to_wstring(seconds % 60);
}

} // namespace

bool SoundStage::Open(const TSoundSettings& settings, std::wstring& error) {
  if (!settings.record) return true;
  source_ = settings.source;
  capture_ = std::make_unique<TSoundCapture>();
  if (!capture_->Start(settings.source, settings.rate, settings.channels, error)) {
    capture_.reset();
    return false;
  }
  const int rate = capture_->Rate(), channels = capture_->Channels();
  // IMA ADPCM that the system cannot make after all is recorded as PCM.
  if (!encoder_.Open(rate, channels, settings.adpcm) && !encoder_.Open(rate, channels, false)) {
    error = L"The sound of " + QuotedName(source_) + L" cannot be encoded.";
    capture_.reset();
    return false;
  }
  const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(encoder_.Format().data());
  stream_.format = encoder_.Format();
  stream_.scale = static_cast<DWORD>(encoder_.SamplesPerBlock());
  stream_.rate = wave->nSamplesPerSec;
  stream_.sampleSize = wave->nBlockAlign;
  stream_.bytesPerSecond = wave->nAvgBytesPerSec;
  timeline_.emplace(rate, channels);
  return true;
}

std::uint32_t SoundStage::BytesPerSlot(std::int32_t msPerFrame) const {
  if (!On()) return 0;
  const std::uint64_t ms = static_cast<std::uint64_t>(msPerFrame > 0 ? msPerFrame : 1);
  return static_cast<std::uint32_t>(stream_.bytesPerSecond * ms / 1000 +
                                    kChunkOverhead * (ms / kLeastChunkMs + 1));
}

std::uint32_t SoundStage::BytesHeldBack() const {
  if (!On()) return 0;
  const double ms = SoundTimeline::kConfirmMs + kChunkMs;
  return static_cast<std::uint32_t>(stream_.bytesPerSecond * ms / 1000) + stream_.sampleSize;
}

void SoundStage::Start(std::uint32_t startTime) {
  clock_.emplace(startTime);
  lastArrival_ = startTime;
  lastArrivalMs_ = 0;
}

// Milliseconds from the start to a block's arrival; blocks that came before the start (the
// source runs from before the files were opened) have negative times and are cut.
double SoundStage::BlockTime(std::uint32_t arrived) {
  lastArrivalMs_ += static_cast<std::int32_t>(arrived - lastArrival_);
  lastArrival_ = arrived;
  return lastArrivalMs_;
}

void SoundStage::TakeBlocks() {
  capture_->Take(blocks_);
  const std::size_t channels = static_cast<std::size_t>(timeline_->Channels());
  for (const TSoundBlock& block : blocks_)
    timeline_->Add(block.samples.data(), block.samples.size() / channels,
                   BlockTime(block.arrivedMs));
  blocks_.clear();
  if (!lost_ && capture_->Lost()) {
    // Silent from the last sound that came, not from when the device was found gone.
    lost_ = true;
    lostAtMs_ = static_cast<std::uint64_t>(std::max(lastArrivalMs_, 0.0));
  }
  if (lost_) timeline_->SilenceUntil(static_cast<double>(Now()));
}

HRESULT SoundStage::WriteEncoded(RecordingFiles& files) {
  if (encoded_.empty()) return AVIERR_OK;
  const HRESULT result = files.WriteSound(encoded_.data(), encoded_.size());
  if (result == AVIERR_OK) encoded_.clear();
  return result;
}

HRESULT SoundStage::Write(std::int64_t until, std::size_t keep, bool flush, RecordingFiles& files) {
  if (const HRESULT result = WriteEncoded(files); result != AVIERR_OK) return result;
  const std::size_t channels = static_cast<std::size_t>(timeline_->Channels());
  const std::size_t chunk = static_cast<std::size_t>(timeline_->Rate()) * kChunkMs / 1000;
  for (;;) {
    const std::int64_t taken = timeline_->Taken();
    const std::int64_t ready = std::min(timeline_->Placed(), until) - taken;
    if (ready <= 0 || (!flush && static_cast<std::size_t>(ready) < keep)) break;
    frames_.clear();
    const std::size_t frames =
        timeline_->Take(frames_, std::min(static_cast<std::size_t>(ready), chunk));
    // Frames before the file's first picture belong to the file closed before it.
    const std::size_t early =
        static_cast<std::size_t>(std::clamp<std::int64_t>(fileStart_ - taken, 0, frames));
    encoder_.Encode(frames_.data() + early * channels, frames - early, encoded_);
    if (const HRESULT result = WriteEncoded(files); result != AVIERR_OK) return result;
  }
  if (!flush) return AVIERR_OK;
  encoder_.Flush(encoded_);
  return WriteEncoded(files);
}

HRESULT SoundStage::Pump(RecordingFiles& files) {
  if (!On()) return AVIERR_OK;
  TakeBlocks();
  return Write(kNoEnd, static_cast<std::size_t>(timeline_->Rate()) * kLeastChunkMs / 1000, false,
               files);
}

HRESULT SoundStage::EndFile(std::int64_t slot, std::int32_t msPerFrame, RecordingFiles& files) {
  if (!On()) return AVIERR_OK;
  const std::int64_t end = SoundFrameAtSlot(slot, msPerFrame, timeline_->Rate());
  const DWORD began = ::timeGetTime();
  while (timeline_->Placed() < end && ::timeGetTime() - began < kEndFileWaitMs) {
    ::Sleep(kWaitSliceMs);
    TakeBlocks();
  }
  const HRESULT result = Write(end, 0, true, files);
  // What the closing file could not take is not the next file's.
  encoded_.clear();
  fileStart_ = end;
  return result;
}

HRESULT SoundStage::Finish(std::int64_t endSlot, std::int32_t msPerFrame, RecordingFiles& files) {
  if (!On() || !clock_) return AVIERR_OK;
  const std::int64_t end = SoundFrameAtSlot(endSlot, msPerFrame, timeline_->Rate());
  // The blocks captured up to the end may still be on their way.
  const DWORD began = ::timeGetTime();
  TakeBlocks();
  while (!timeline_->HasSoundUpTo(end) && !lost_ && ::timeGetTime() - began < kEndWaitMs) {
    ::Sleep(kWaitSliceMs);
    TakeBlocks();
  }
  timeline_->Finish(end);
  const HRESULT result = Write(kNoEnd, 0, true, files);
  capture_->Stop();
  return result;
}

std::wstring SoundStage::Notice() const {
  if (!On()) return L"";
  std::wstring text;
  if (timeline_->Gaps() > 0)
    text = L"The sound had " + std::to_wstring(timeline_->Gaps()) +
           (timeline_->Gaps() == 1 ? L" gap, " : L" gaps, ") +
           std::to_wstring(static_cast<std::int64_t>(timeline_->GapMs() + 0.5)) +
           L" ms in all, filled with silence so that it stays in step with the picture.";
  if (lost_) {
    if (!text.empty()) text += L"\n";
    text += L"The sound source " + QuotedName(source_) + L" stopped delivering sound " +
            Minutes(lostAtMs_) +
            L" into the recording; the picture was recorded on, the sound is silent from there.";
  }
  return text;
}

} // namespace recorder
