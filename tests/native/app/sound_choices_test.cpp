// The settings dialog's sound choices: formats offered per source, the default, how they read,
// the meter's scale and the followed playback rate's label.
#include "app/core/sound_choices.h"

#include <gtest/gtest.h>

namespace {

using app::SoundFormat;

TEST(SoundChoices, FormatsDefaultAndTexts) {
  const auto stereo = app::SoundFormatsFor(2);
  ASSERT_EQ(stereo.size(), 10u);
  EXPECT_EQ(stereo.front(), (SoundFormat{8000, 1}));
  EXPECT_EQ(stereo.back(), (SoundFormat{48000, 2}));
  const auto mono = app::SoundFormatsFor(1);
  ASSERT_EQ(mono.size(), 5u);
  for (const SoundFormat& f : mono)
    EXPECT_EQ(f.channels, 1);
  EXPECT_EQ(app::IndexOfSoundFormat(mono, app::DefaultSoundFormat(1)), 3);
  EXPECT_EQ(app::IndexOfSoundFormat(stereo, app::DefaultSoundFormat(2)), 7);
  EXPECT_EQ(app::IndexOfSoundFormat(mono, {44100, 2}), -1);
  EXPECT_EQ(app::SoundFormatText({44100, 2}), L"44,100 Hz 立体声");
  EXPECT_EQ(app::SoundFormatText({8000, 1}), L"8,000 Hz 单声道");
}

TEST(SoundChoices, MeterAndFollowedRate) {
  EXPECT_EQ(app::MeterPosition(0), 0);
  EXPECT_EQ(app::MeterPosition(32), 0);     // -60 dB
  EXPECT_EQ(app::MeterPosition(16384), 90); // -6 dB
  EXPECT_EQ(app::MeterPosition(32767), 100);
  EXPECT_EQ(app::MeterAfter(20, 90), 90);
  EXPECT_EQ(app::MeterAfter(90, 0), 90 - app::kMeterFallPerReading);
  EXPECT_EQ(app::FollowedRateText(100), L"10 fps (跟随录制间隔)");
  EXPECT_EQ(app::FollowedRateText(244), L"4.1 fps (跟随录制间隔)");
  EXPECT_EQ(app::FollowedRateText(1), L"1000 fps (跟随录制间隔)");
  EXPECT_EQ(app::FollowedRateText(60000), L"0.0167 fps (跟随录制间隔)");
}

} // namespace
