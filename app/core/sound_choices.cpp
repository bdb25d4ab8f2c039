#include "app/core/sound_choices.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace app {

namespace {
constexpr double kMeterFloorDb = -60.0;
constexpr double kFullScale = 32767.0;
} // namespace

std::vector<SoundFormat> SoundFormatsFor(int sourceChannels) {
  std::vector<SoundFormat> formats;
  for (int rate : kSoundRates) {
    formats.push_back({rate, 1});
    if (sourceChannels >= 2) formats.push_back({rate, 2});
  }
  return formats;
}

SoundFormat DefaultSoundFormat(int sourceChannels) {
  return {kDefaultSoundRate, sourceChannels >= 2 ? 2 : 1};
}

int IndexOfSoundFormat(const std::vector<SoundFormat>& formats, const SoundFormat& format) {
  auto it = std::find(formats.begin(), formats.end(), format);
  return it == formats.end() ? -1 : static_cast<int>(it - formats.begin());
}

std::wstring SoundFormatText(const SoundFormat& format) {
  std::wstring digits = std::to_wstring(format.rate), grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += L',';
    grouped += digits[i];
  }
  return grouped + L" Hz " + (format.channels >= 2 ? L"立体声" : L"单声道");
}

int MeterPosition(int peak) {
  if (peak <= 0) return 0;
  const double db = 20.0 * std::log10(std::min(peak / kFullScale, 1.0));
  const double position = (db - kMeterFloorDb) / -kMeterFloorDb * kMeterMax;
  return std::clamp(static_cast<int>(std::lround(position)), 0, kMeterMax);
}

int MeterAfter(int shown, int reading) {
  return std::max(reading, shown - kMeterFallPerReading);
}

std::wstring FollowedRateText(int msPerFrame) {
  char text[32];
  const double rate = 1000.0 / std::max(msPerFrame, 1);
  // Three significant digits, without an exponent for the hundreds.
  std::snprintf(text, sizeof text, rate >= 100 ? "%.0f" : "%.3g", rate);
  return std::wstring(text, text + std::char_traits<char>::length(text)) + L" fps (跟随录制间隔)";
}

} // namespace app
