// The settings dialog's sound choices: the formats "声音格式" offers for a source and how each
// reads, the format chosen by default, the level meter's scale, and the playback-rate label
// that shows, while sound is recorded, the rate the capture interval gives.
#pragma once

#include <string>
#include <vector>

namespace app {

struct SoundFormat {
  int rate = 44100;
  int channels = 2;
  bool operator==(const SoundFormat&) const = default;
};

// Sample rates offered, in Hz.
inline constexpr int kSoundRates[] = {8000, 11025, 22050, 44100, 48000};
inline constexpr int kDefaultSoundRate = 44100;

// Every rate, mono then stereo, for a source of `sourceChannels` channels (stereo only where it
// has two or more).
std::vector<SoundFormat> SoundFormatsFor(int sourceChannels);
// 44,100 Hz, stereo where the source has two channels or more, else mono.
SoundFormat DefaultSoundFormat(int sourceChannels);
// Where `format` is in `formats`, -1 when it is not there.
int IndexOfSoundFormat(const std::vector<SoundFormat>& formats, const SoundFormat& format);
// "44,100 Hz 立体声", "8,000 Hz 单声道".
std::wstring SoundFormatText(const SoundFormat& format);

// The meter's scale: a peak of 0..32767 on 0..kMeterMax, logarithmic from -60 dB (0) to full
// scale (kMeterMax), so that quiet speech still moves it.
inline constexpr int kMeterMax = 100;
int MeterPosition(int peak);
// The meter rises at once and falls by at most kMeterFallPerReading a reading, so that a peak
// stays long enough to be seen.
inline constexpr int kMeterFallPerReading = 4;
int MeterAfter(int shown, int reading);

// "10 fps (跟随录制间隔)": the frames per second of a file whose rate follows the interval
// (1000 / ms per frame, to three significant digits).
std::wstring FollowedRateText(int msPerFrame);

} // namespace app
