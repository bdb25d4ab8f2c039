#include "recorder/sound_capture.h"

#include "framework/handles.h"
#include "recorder/core/sound_convert.h"

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <mmreg.h>
#include <msacm.h>
#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <optional>

namespace recorder {

namespace {

constexpr wchar_t kDefaultInputName[] = L"默认设备";
constexpr wchar_t kPlayedSoundName[] = L"电脑播放的声音";
constexpr int kBitsPerSample = 16;

std::wstring QuotedName(const TSoundSource& source) {
  return L"\"" + source.name + L"\"";
}

// ---------------------------------------------------------------------------------------------
// COM, for WASAPI: initialised on the thread that uses it, released with it.

class ComApartment {
public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // A thread already in a single-threaded apartment can still use the audio interfaces.
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
  HRESULT result_;
};

// An interface pointer released on scope exit.
template <class T> class ComPtr {
public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&p_);
  }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

private:
  T* p_ = nullptr;
};

struct CoTaskFree {
  void operator()(void* p) const { ::CoTaskMemFree(p); }
};
using MixFormat = std::unique_ptr<WAVEFORMATEX, CoTaskFree>;

// WASAPI durations are in units of 100 ns.
constexpr REFERENCE_TIME kHundredNsPerMs = 10000;
constexpr REFERENCE_TIME kLoopbackBufferDuration = 200 * kHundredNsPerMs;
constexpr DWORD kLoopbackPollMs = 10;

// The default output's shared-mode client, initialised (loopback or plain rendering).
struct RenderEndpoint {
  ComPtr<IMMDevice> device;
  ComPtr<IAudioClient> client;
  MixFormat mix;

  HRESULT Open(DWORD streamFlags) {
    ComPtr<IMMDeviceEnumerator> devices;
    HRESULT hr = ::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                    __uuidof(IMMDeviceEnumerator), devices.Out());
    if (SUCCEEDED(hr))
      hr = devices->GetDefaultAudioEndpoint(eRender, eConsole,
                                            reinterpret_cast<IMMDevice**>(device.Out()));
    return SUCCEEDED(hr) ? Initialize(streamFlags) : hr;
  }
  // A second client on the same device (the silent stream that keeps loopback running).
  HRESULT OpenBeside(const RenderEndpoint& other, DWORD streamFlags) {
    other.device->AddRef();
    *device.Out() = other.device.Get();
    return Initialize(streamFlags);
  }

private:
  HRESULT Initialize(DWORD streamFlags) {
    HRESULT hr = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client.Out());
    WAVEFORMATEX* format = nullptr;
    if (SUCCEEDED(hr)) hr = client->GetMixFormat(&format);
    mix.reset(format);
    if (SUCCEEDED(hr))
      hr = client->Initialize(AUDCLNT_SHAREMODE_SHARED, streamFlags, kLoopbackBufferDuration, 0,
                              mix.get(), nullptr);
    return hr;
  }
};

// The encoding of a shared-mode mix format, false when it is none we convert.
bool EncodingOf(const WAVEFORMATEX& format, SampleEncoding& encoding) {
  WORD tag = format.wFormatTag;
  if (tag == WAVE_FORMAT_EXTENSIBLE && format.cbSize >= 22) {
    // The KSDATAFORMAT_SUBTYPE_* GUIDs carry the plain format tag in their first field.
    static const GUID kSubtypeBase = {
        0x00000000, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    GUID sub = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(format).SubFormat;
    tag = static_cast<WORD>(sub.Data1);
    sub.Data1 = 0;
    if (!::IsEqualGUID(sub, kSubtypeBase)) return false;
  }
  if (tag == WAVE_FORMAT_IEEE_FLOAT && format.wBitsPerSample == 32) {
    encoding = SampleEncoding::Float32;
    return true;
  }
  if (tag != WAVE_FORMAT_PCM) return false;
  switch (format.wBitsPerSample) {
  case 16:
    encoding = SampleEncoding::Int16;
    return true;
  case 24:
    encoding = SampleEncoding::Int24;
    return true;
  case 32:
    encoding = SampleEncoding::Int32;
    return true;
  default:
    return false;
  }
}

std::wstring HresultText(HRESULT hr) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

std::wstring WaveInErrorText(MMRESULT result) {
  wchar_t text[MAXERRORLENGTH] = {};
  if (::waveInGetErrorTextW(result, text, MAXERRORLENGTH) != MMSYSERR_NOERROR || !text[0])
    return L"error " + std::to_wstring(result);
  return text;
}

std::wstring WaveInName(UINT id) {
  WAVEINCAPSW caps{};
  if (::waveInGetDevCapsW(id, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
  return std::wstring(caps.szPname, wcsnlen(caps.szPname, MAXPNAMELEN));
}

// Device numbers change as devices come and go, so a listed device is opened by its name: its
// number now, or one past the last (which waveInOpen refuses) when no device has that name.
UINT CurrentDeviceId(const TSoundSource& source) {
  if (source.kind != TSoundSourceKind::Device || source.name.empty()) return source.device;
  const UINT count = ::waveInGetNumDevs();
  if (source.device < count && WaveInName(source.device) == source.name) return source.device;
  for (UINT id = 0; id < count; ++id)
    if (WaveInName(id) == source.name) return id;
  return count;
}

WAVEFORMATEX PcmFormat(int rate, int channels) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = static_cast<DWORD>(rate);
  format.wBitsPerSample = kBitsPerSample;
  format.nBlockAlign = static_cast<WORD>(channels * kBitsPerSample / 8);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  return format;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The device list.

bool PlayedSoundAvailable(int* channels) {
  ComApartment com;
  if (!com.Usable()) return false;
  RenderEndpoint loopback;
  if (FAILED(loopback.Open(AUDCLNT_STREAMFLAGS_LOOPBACK))) return false;
  // Wine initialises a loopback client but gives no capture client for it.
  ComPtr<IAudioCaptureClient> capture;
  if (FAILED(loopback.client->GetService(__uuidof(IAudioCaptureClient), capture.Out())))
    return false;
  SampleEncoding encoding;
  if (!EncodingOf(*loopback.mix, encoding)) return false;
  if (channels) *channels = std::max<int>(1, loopback.mix->nChannels);
  return true;
}

std::vector<TSoundSource> ListSoundSources() {
  std::vector<TSoundSource> sources;
  TSoundSource fallback;
  fallback.name = kDefaultInputName;
  WAVEINCAPSW caps{};
  if (::waveInGetDevCapsW(WAVE_MAPPER, &caps, sizeof caps) == MMSYSERR_NOERROR && caps.wChannels)
    fallback.channels = std::min<int>(2, caps.wChannels);
  sources.push_back(fallback);

  const UINT count = ::waveInGetNumDevs();
  for (UINT id = 0; id < count; ++id) {
    WAVEINCAPSW device{};
    if (::waveInGetDevCapsW(id, &device, sizeof device) != MMSYSERR_NOERROR) continue;
    TSoundSource source;
    source.kind = TSoundSourceKind::Device;
    source.device = id;
    source.name.assign(device.szPname, wcsnlen(device.szPname, MAXPNAMELEN));
    source.channels = std::clamp<int>(device.wChannels, 1, 2);
    sources.push_back(source);
  }

  int channels = 2;
  if (PlayedSoundAvailable(&channels)) {
    TSoundSource played;
    played.kind = TSoundSourceKind::PlayedSound;
    played.name = kPlayedSoundName;
    played.channels = std::min(channels, 2);
    sources.push_back(played);
  }
  return sources;
}

// ---------------------------------------------------------------------------------------------
// The capture thread's side: a source opens its device and runs until it is asked to stop or
// the device is lost, on the capture thread (COM objects stay in the thread that made them).

class TSoundCapture::Source {
public:
  explicit Source(TSoundCapture& owner) : owner_(owner) {}
  virtual ~Source() = default;
  virtual bool Open(const TSoundSource& source, int rate, int channels, std::wstring& error) = 0;
  virtual void Run() = 0;

protected:
  bool StopAsked() const { return owner_.stop_; }
  void Deliver(std::vector<std::int16_t>&& samples) {
    if (samples.empty()) return;
    TSoundBlock block;
    block.samples = std::move(samples);
    block.arrivedMs = ::timeGetTime();
    owner_.Deliver(std::move(block));
  }
  void MarkLost() { owner_.lost_ = true; }

private:
  TSoundCapture& owner_;
};

namespace {

// waveIn: a ring of small buffers, each handed back with the event set when it is full.
class WaveInSource : public TSoundCapture::Source {
public:
  static constexpr int kBufferCount = 16;
  static constexpr int kBuffersPerSecond = 40; // 25 ms each
  // A device that fills no buffer for this long while we wait for it has gone; a device just
  // started may take longer for its first (a busy machine, a sound server starting its stream).
  static constexpr DWORD kStallMs = 3000;
  static constexpr DWORD kFirstBufferMs = 10000;
  static constexpr DWORD kWaitMs = 50;

  using TSoundCapture::Source::Source;
  ~WaveInSource() override { Close(); }

  bool Open(const TSoundSource& source, int rate, int channels, std::wstring& error) override {
    event_.reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event_) {
      error = L"The sound source " + QuotedName(source) + L" cannot be opened (no event).";
      return false;
    }
    WAVEFORMATEX format = PcmFormat(rate, channels);
    const DWORD_PTR event = reinterpret_cast<DWORD_PTR>(event_.get());
    const UINT device = CurrentDeviceId(source);
    MMRESULT result = ::waveInOpen(&wave_, device, &format, event, 0, CALLBACK_EVENT);
    // A device that does not take the format itself may through the system's converters.
    if (result == WAVERR_BADFORMAT && device != WAVE_MAPPER)
      result = ::waveInOpen(&wave_, device, &format, event, 0, CALLBACK_EVENT | WAVE_MAPPED);
    if (result != MMSYSERR_NOERROR) {
      wave_ = nullptr;
      error = L"The sound source " + QuotedName(source) + L" cannot be opened: " +
              WaveInErrorText(result);
      return false;
    }
    const std::size_t frames = static_cast<std::size_t>(std::max(1, rate / kBuffersPerSecond));
    buffers_.resize(kBufferCount);
    for (Buffer& buffer : buffers_) {
      buffer.samples.assign(frames * static_cast<std::size_t>(channels), 0);
      buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
      buffer.header.dwBufferLength =
          static_cast<DWORD>(buffer.samples.size() * sizeof(std::int16_t));
      result = ::waveInPrepareHeader(wave_, &buffer.header, sizeof buffer.header);
      if (result == MMSYSERR_NOERROR) {
        buffer.prepared = true;
        result = ::waveInAddBuffer(wave_, &buffer.header, sizeof buffer.header);
      }
      if (result != MMSYSERR_NOERROR) break;
    }
    if (result == MMSYSERR_NOERROR) result = ::waveInStart(wave_);
    if (result != MMSYSERR_NOERROR) {
      error = L"The sound source " + QuotedName(source) + L" cannot be started: " +
              WaveInErrorText(result);
      Close();
      return false;
    }
    return true;
  }

  void Run() override {
    std::size_t next = 0;
    DWORD lastFilled = ::timeGetTime();
    DWORD allowed = kFirstBufferMs;
    while (!StopAsked()) {
      ::WaitForSingleObject(event_.get(), kWaitMs);
      bool filled = false, empty = false;
      // Buffers come back in the order they were added; one round of the ring at a time.
      for (std::size_t round = 0;
           round < buffers_.size() && !StopAsked() && (buffers_[next].header.dwFlags & WHDR_DONE);
           ++round) {
        Buffer& buffer = buffers_[next];
        const std::size_t count = buffer.header.dwBytesRecorded / sizeof(std::int16_t);
        Deliver(std::vector<std::int16_t>(
            buffer.samples.begin(), buffer.samples.begin() + static_cast<std::ptrdiff_t>(count)));
        (count > 0 ? filled : empty) = true;
        buffer.header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
        buffer.header.dwBytesRecorded = 0;
        if (::waveInAddBuffer(wave_, &buffer.header, sizeof buffer.header) != MMSYSERR_NOERROR) {
          MarkLost();
          return;
        }
        next = (next + 1) % buffers_.size();
      }
      const DWORD now = ::timeGetTime();
      if (filled) {
        lastFilled = now;
        allowed = kStallMs;
      } else if (empty) {
        // A device that hands its buffers back empty (one being unplugged) would keep this
        // thread busy: it is asked again a little later, and counts as stalled meanwhile.
        ::Sleep(kWaitMs);
      }
      if (!filled && now - lastFilled > allowed) {
        MarkLost();
        return;
      }
    }
  }

private:
  struct Buffer {
    WAVEHDR header{};
    std::vector<std::int16_t> samples;
    bool prepared = false;
  };

  // Reset hands every queued buffer back, so each can be unprepared before the device closes.
  void Close() {
    if (!wave_) return;
    ::waveInReset(wave_);
    for (Buffer& buffer : buffers_)
      if (buffer.prepared) ::waveInUnprepareHeader(wave_, &buffer.header, sizeof buffer.header);
    ::waveInClose(wave_);
    wave_ = nullptr;
    buffers_.clear();
  }

  fw::KernelHandle event_;
  HWAVEIN wave_ = nullptr;
  std::vector<Buffer> buffers_; // never resized while the device holds their headers
};

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

// ---------------------------------------------------------------------------------------------
// The capture.

TSoundCapture::TSoundCapture() = default;

TSoundCapture::~TSoundCapture() {
  Stop();
}

bool TSoundCapture::Start(const TSoundSource& source, int rate, int channels, std::wstring& error) {
  Stop();
  error.clear();
  if (channels < 1 || channels > 2 || rate <= 0) {
    error = L"The sound source " + QuotedName(source) + L" cannot record this format.";
    return false;
  }
  lost_ = false;
  peak_ = 0;
  stop_ = false;
  {
    std::lock_guard<std::mutex> hold(lock_);
    blocks_.clear();
    queuedFrames_ = 0;
  }
  rate_ = rate;
  channels_ = channels;
  if (source.kind == TSoundSourceKind::PlayedSound)
    source_ = std::make_unique<LoopbackSource>(*this);
  else
    source_ = std::make_unique<WaveInSource>(*this);

  // The device is opened on the capture thread, which then runs it; Start waits for the opening.
  std::promise<bool> opened;
  std::future<bool> answer = opened.get_future();
  std::wstring openError;
  thread_ =
      std::thread([this, opened = std::move(opened), &openError, source, rate, channels]() mutable {
        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        std::wstring message;
        bool ok = source_->Open(source, rate, channels, message);
        openError = message;
        opened.set_value(ok);
        if (ok) source_->Run();
        source_.reset(); // closes the device on the thread that opened it
      });
  if (answer.get()) return true;
  thread_.join();
  error = openError;
  rate_ = channels_ = 0;
  return false;
}

void TSoundCapture::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void TSoundCapture::Take(std::vector<TSoundBlock>& out) {
  std::lock_guard<std::mutex> hold(lock_);
  for (TSoundBlock& block : blocks_)
    out.push_back(std::move(block));
  blocks_.clear();
  queuedFrames_ = 0;
}

void TSoundCapture::Deliver(TSoundBlock&& block) {
  const std::size_t channels = static_cast<std::size_t>(std::max(channels_, 1));
  peak_ = PeakLevel(block.samples.data(), block.samples.size());
  const std::size_t limit = static_cast<std::size_t>(rate_) * kSoundBacklogMs / 1000;
  std::lock_guard<std::mutex> hold(lock_);
  queuedFrames_ += block.samples.size() / channels;
  blocks_.push_back(std::move(block));
  std::size_t drop = 0;
  while (queuedFrames_ > limit && drop + 1 < blocks_.size())
    queuedFrames_ -= blocks_[drop++].samples.size() / channels;
  blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(drop));
}

// ---------------------------------------------------------------------------------------------
// The encoder.

// An ACM conversion stream from 16-bit PCM to IMA ADPCM with one prepared header whose buffers
// hold kBlocksPerPass blocks.
class TSoundEncoder::AcmStream {
public:
  static constexpr std::size_t kBlocksPerPass = 16;

  ~AcmStream() {
    if (prepared_) ::acmStreamUnprepareHeader(stream_, &header_, 0);
    if (stream_) ::acmStreamClose(stream_, 0);
  }

  bool Open(WAVEFORMATEX& pcm, WAVEFORMATEX& adpcm, std::size_t pcmBlockBytes,
            std::size_t adpcmBlockBytes) {
    if (::acmStreamOpen(&stream_, nullptr, &pcm, &adpcm, nullptr, 0, 0,
                        ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
      stream_ = nullptr;
      return false;
    }
    DWORD outBytes = 0;
    const DWORD inBytes = static_cast<DWORD>(pcmBlockBytes * kBlocksPerPass);
    if (::acmStreamSize(stream_, inBytes, &outBytes, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR)
      return false;
    in_.assign(inBytes, 0);
    out_.assign(std::max<std::size_t>(outBytes, adpcmBlockBytes * kBlocksPerPass), 0);
    header_.cbStruct = sizeof header_;
    header_.pbSrc = in_.data();
    header_.cbSrcLength = inBytes;
    header_.pbDst = out_.data();
    header_.cbDstLength = static_cast<DWORD>(out_.size());
    prepared_ = ::acmStreamPrepareHeader(stream_, &header_, 0) == MMSYSERR_NOERROR;
    return prepared_;
  }

  // Converts `bytes` (whole PCM blocks, at most a pass) and appends what came out.
  bool Convert(const BYTE* data, std::size_t bytes, std::vector<BYTE>& out) {
    std::memcpy(in_.data(), data, bytes);
    header_.cbSrcLength = static_cast<DWORD>(bytes);
    header_.cbDstLengthUsed = 0;
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN | (started_ ? 0 : ACM_STREAMCONVERTF_START);
    if (::acmStreamConvert(stream_, &header_, flags) != MMSYSERR_NOERROR) return false;
    started_ = true;
    out.insert(out.end(), out_.begin(), out_.begin() + header_.cbDstLengthUsed);
    return true;
  }

private:
  HACMSTREAM stream_ = nullptr;
  ACMSTREAMHEADER header_{};
  bool prepared_ = false, started_ = false;
  std::vector<BYTE> in_, out_;
};

namespace {
// The IMA ADPCM format the compression manager suggests for 16-bit PCM of this kind.
bool AdpcmFormat(int rate, int channels, IMAADPCMWAVEFORMAT& adpcm) {
  WAVEFORMATEX pcm = PcmFormat(rate, channels);
  adpcm = {};
  adpcm.wfx.wFormatTag = WAVE_FORMAT_IMA_ADPCM;
  if (::acmFormatSuggest(nullptr, &pcm, &adpcm.wfx, sizeof adpcm, ACM_FORMATSUGGESTF_WFORMATTAG) !=
      MMSYSERR_NOERROR)
    return false;
  return adpcm.wfx.wFormatTag == WAVE_FORMAT_IMA_ADPCM && adpcm.wfx.nChannels == channels &&
         adpcm.wfx.nSamplesPerSec == static_cast<DWORD>(rate) && adpcm.wSamplesPerBlock > 0 &&
         adpcm.wfx.nBlockAlign > 0;
}
} // namespace

TSoundEncoder::TSoundEncoder() = default;
TSoundEncoder::~TSoundEncoder() = default;

bool TSoundEncoder::AdpcmAvailable(int rate, int channels) {
  IMAADPCMWAVEFORMAT adpcm;
  if (!AdpcmFormat(rate, channels, adpcm)) return false;
  WAVEFORMATEX pcm = PcmFormat(rate, channels);
  return ::acmStreamOpen(nullptr, nullptr, &pcm, &adpcm.wfx, nullptr, 0, 0,
                         ACM_STREAMOPENF_QUERY | ACM_STREAMOPENF_NONREALTIME) == MMSYSERR_NOERROR;
}

bool TSoundEncoder::Open(int rate, int channels, bool adpcm) {
  acm_.reset();
  pending_.clear();
  channels_ = channels;
  WAVEFORMATEX pcm = PcmFormat(rate, channels);
  if (!adpcm) {
    format_.assign(reinterpret_cast<const BYTE*>(&pcm),
                   reinterpret_cast<const BYTE*>(&pcm) + sizeof pcm);
    blockAlign_ = pcm.nBlockAlign;
    samplesPerBlock_ = 1;
    return true;
  }
  IMAADPCMWAVEFORMAT ima;
  if (!AdpcmFormat(rate, channels, ima)) return false;
  auto stream = std::make_unique<AcmStream>();
  if (!stream->Open(pcm, ima.wfx, static_cast<std::size_t>(ima.wSamplesPerBlock) * pcm.nBlockAlign,
                    ima.wfx.nBlockAlign))
    return false;
  acm_ = std::move(stream);
  format_.assign(reinterpret_cast<const BYTE*>(&ima),
                 reinterpret_cast<const BYTE*>(&ima) + sizeof ima);
  blockAlign_ = ima.wfx.nBlockAlign;
  samplesPerBlock_ = ima.wSamplesPerBlock;
  return true;
}

void TSoundEncoder::Encode(const std::int16_t* samples, std::size_t frames,
                           std::vector<BYTE>& out) {
  const std::size_t channels = static_cast<std::size_t>(channels_);
  if (!acm_) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(samples);
    out.insert(out.end(), bytes, bytes + frames * channels * sizeof(std::int16_t));
    return;
  }
  const std::size_t blockSamples = static_cast<std::size_t>(samplesPerBlock_) * channels;
  std::size_t offered = frames * channels, used = 0;
  // Frames left over from the last call first make up a whole block.
  if (!pending_.empty()) {
    used = std::min(offered, blockSamples - pending_.size());
    pending_.insert(pending_.end(), samples, samples + used);
    if (pending_.size() < blockSamples) return;
    EncodeBlocks(pending_.data(), 1, out);
    pending_.clear();
  }
  const std::size_t blocks = (offered - used) / blockSamples;
  EncodeBlocks(samples + used, blocks, out);
  used += blocks * blockSamples;
  pending_.assign(samples + used, samples + offered);
}

void TSoundEncoder::Flush(std::vector<BYTE>& out) {
  if (!acm_ || pending_.empty()) return;
  pending_.resize(static_cast<std::size_t>(samplesPerBlock_) * static_cast<std::size_t>(channels_),
                  0);
  EncodeBlocks(pending_.data(), 1, out);
  pending_.clear();
}

void TSoundEncoder::EncodeBlocks(const std::int16_t* samples, std::size_t blocks,
                                 std::vector<BYTE>& out) {
  const std::size_t blockBytes = static_cast<std::size_t>(samplesPerBlock_) *
                                 static_cast<std::size_t>(channels_) * sizeof(std::int16_t);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(samples);
  while (blocks > 0) {
    const std::size_t pass = std::min(blocks, AcmStream::kBlocksPerPass);
    if (!acm_->Convert(bytes, pass * blockBytes, out)) {
      // What the codec refused becomes silence of the same length, so the stream keeps its time.
      out.insert(out.end(), pass * static_cast<std::size_t>(blockAlign_), 0);
    }
    bytes += pass * blockBytes;
    blocks -= pass;
  }
}

} // namespace recorder
