#include "recorder/loopback_source.h"

#include "recorder/core/sound_convert.h"
#include "recorder/wasapi_endpoint.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace recorder {

namespace {

constexpr DWORD kLoopbackPollMs = 10;

// WASAPI loopback of the default output, converted to the asked rate and channels. A silent
// stream is played beside it: loopback hands over nothing while nothing plays, and a recording
// needs silence then, not a gap.
class LoopbackSource : public TSoundCapture::Source {
public:
  using TSoundCapture::Source::Source;

  bool Open(const TSoundSource& source, int rate, int channels, std::wstring& error) override {
    if (!com_.Usable()) return Fail(source, E_FAIL, error);
    HRESULT hr = loopback_.Open(AUDCLNT_STREAMFLAGS_LOOPBACK);
    if (SUCCEEDED(hr))
      hr = loopback_.client->GetService(__uuidof(IAudioCaptureClient), capture_.Out());
    if (FAILED(hr)) return Fail(source, hr, error);
    if (!EncodingOf(*loopback_.mix, encoding_))
      return Fail(source, AUDCLNT_E_UNSUPPORTED_FORMAT, error);
    inChannels_ = std::max<int>(1, loopback_.mix->nChannels);
    outChannels_ = channels;
    resampler_.emplace(static_cast<int>(loopback_.mix->nSamplesPerSec), rate, channels);
    StartSilence();
    hr = loopback_.client->Start();
    return SUCCEEDED(hr) || Fail(source, hr, error);
  }

  void Run() override {
    std::vector<std::int16_t> converted, samples;
    while (!StopAsked()) {
      ::Sleep(kLoopbackPollMs);
      KeepSilencePlaying();
      converted.clear();
      UINT32 packet = 0;
      HRESULT hr = capture_->GetNextPacketSize(&packet);
      while (SUCCEEDED(hr) && packet > 0) {
        BYTE* data = nullptr;
        UINT32 frames = 0;
        DWORD flags = 0;
        hr = capture_->GetBuffer(&data, &frames, &flags, nullptr, nullptr);
        if (FAILED(hr)) break;
        if (flags & AUDCLNT_BUFFERFLAGS_SILENT)
          converted.insert(converted.end(), static_cast<std::size_t>(frames) * outChannels_, 0);
        else
          ConvertSamples(data, frames, encoding_, inChannels_, outChannels_, converted);
        hr = capture_->ReleaseBuffer(frames);
        if (SUCCEEDED(hr)) hr = capture_->GetNextPacketSize(&packet);
      }
      if (FAILED(hr)) { // AUDCLNT_E_DEVICE_INVALIDATED: the output went away
        MarkLost();
        break;
      }
      samples.clear();
      resampler_->Process(converted.data(),
                          converted.size() / static_cast<std::size_t>(outChannels_), samples);
      Deliver(std::move(samples));
      samples = {};
    }
    loopback_.client->Stop();
    if (silence_.client) silence_.client->Stop();
  }

private:
  static bool Fail(const TSoundSource& source, HRESULT hr, std::wstring& error) {
    error = L"The sound source " + QuotedName(source) + L" cannot be opened (" + HresultText(hr) +
            L").";
    return false;
  }

  // Without the silent stream loopback still works while something plays.
  void StartSilence() {
    if (FAILED(silence_.OpenBeside(loopback_, 0)) ||
        FAILED(silence_.client->GetService(__uuidof(IAudioRenderClient), render_.Out())) ||
        FAILED(silence_.client->GetBufferSize(&silenceFrames_))) {
      render_.Reset();
      return;
    }
    KeepSilencePlaying();
    if (FAILED(silence_.client->Start())) render_.Reset();
  }

  void KeepSilencePlaying() {
    if (!render_) return;
    UINT32 padding = 0;
    if (FAILED(silence_.client->GetCurrentPadding(&padding)) || padding >= silenceFrames_) return;
    const UINT32 room = silenceFrames_ - padding;
    BYTE* data = nullptr;
    if (SUCCEEDED(render_->GetBuffer(room, &data)))
      render_->ReleaseBuffer(room, AUDCLNT_BUFFERFLAGS_SILENT);
  }

  ComApartment com_;
  RenderEndpoint loopback_, silence_;
  ComPtr<IAudioCaptureClient> capture_;
  ComPtr<IAudioRenderClient> render_;
  UINT32 silenceFrames_ = 0;
  SampleEncoding encoding_ = SampleEncoding::Float32;
  int inChannels_ = 2, outChannels_ = 2;
  std::optional<LinearResampler> resampler_;
};

} // namespace

std::unique_ptr<TSoundCapture::Source> MakeLoopbackSource(TSoundCapture& owner) {
  return std::make_unique<LoopbackSource>(owner);
}

} // namespace recorder
