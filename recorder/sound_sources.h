// The sources a recording can take its sound from: "默认设备" (the system's default input), every
// waveIn device by the name the system gives it, and "电脑播放的声音" (WASAPI loopback on the
// default output) where that really delivers. Also the settings that pick one, and the 16-bit PCM
// format every source hands its samples over in.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <string>
#include <vector>

namespace recorder {

enum class TSoundSourceKind { DefaultInput, Device, PlayedSound };

struct TSoundSource {
  TSoundSourceKind kind = TSoundSourceKind::DefaultInput;
  UINT device = WAVE_MAPPER; // waveIn device id (DefaultInput: WAVE_MAPPER)
  std::wstring name;         // "默认设备", the device's own name, "电脑播放的声音"
  int channels = 2;          // most channels the source offers
};

// "默认设备" first, then every waveIn device by its own name, then "电脑播放的声音" where WASAPI
// loopback on the default output really delivers (a capture client can be had for it).
std::vector<TSoundSource> ListSoundSources();
// Whether the sound the computer plays can be recorded here, and with how many channels.
bool PlayedSoundAvailable(int* channels = nullptr);

// The waveIn device id of `source` now: device numbers change as devices come and go, so a
// listed device is found by its name; one past the last (which waveInOpen refuses) when no
// device has that name any more.
UINT CurrentDeviceId(const TSoundSource& source);
// The source's name in quotes, as messages about it show it ("默认设备" for the default input
// whatever name the settings left it).
std::wstring QuotedName(const TSoundSource& source);

// What the settings dialog chooses; kept on the engine while the program runs.
struct TSoundSettings {
  bool record = false; // "录制声音"
  TSoundSource source;
  int rate = 44100, channels = 2; // always 16-bit PCM from the source
  bool adpcm = false;             // "声音压缩": "PCM" or "IMA ADPCM"
};

// 16-bit PCM of this rate and channel count, the format every source delivers.
constexpr int kSoundBitsPerSample = 16;
WAVEFORMATEX PcmFormat(int rate, int channels);

} // namespace recorder
