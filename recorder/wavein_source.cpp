#include "recorder/wavein_source.h"

#include "framework/handles.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace recorder {

namespace {

std::wstring WaveInErrorText(MMRESULT result) {
  wchar_t text[MAXERRORLENGTH] = {};
  if (::waveInGetErrorTextW(result, text, MAXERRORLENGTH) != MMSYSERR_NOERROR || !text[0])
    return L"error " + std::to_wstring(result);
  return text;
}

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

} // namespace

std::unique_ptr<TSoundCapture::Source> MakeWaveInSource(TSoundCapture& owner) {
  return std::make_unique<WaveInSource>(owner);
}

} // namespace recorder
