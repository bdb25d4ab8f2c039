#include "recorder/sound_sources.h"

#include "recorder/wasapi_endpoint.h"

#include <algorithm>
#include <cwchar>

namespace recorder {

namespace {

constexpr wchar_t kDefaultInputName[] = L"默认设备";
constexpr wchar_t kPlayedSoundName[] = L"电脑播放的声音";

std::wstring WaveInName(UINT id) {
  WAVEINCAPSW caps{};
  if (::waveInGetDevCapsW(id, &caps, sizeof caps) != MMSYSERR_NOERROR) return {};
  return std::wstring(caps.szPname, wcsnlen(caps.szPname, MAXPNAMELEN));
}

} // namespace

std::wstring QuotedName(const TSoundSource& source) {
  if (!source.name.empty()) return L"\"" + source.name + L"\"";
  return L"\"" +
         std::wstring(source.kind == TSoundSourceKind::PlayedSound ? kPlayedSoundName
                                                                   : kDefaultInputName) +
         L"\"";
}

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
  format.wBitsPerSample = kSoundBitsPerSample;
  format.nBlockAlign = static_cast<WORD>(channels * kSoundBitsPerSample / 8);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  return format;
}

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

} // namespace recorder
