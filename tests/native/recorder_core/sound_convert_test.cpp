// Sample conversion for sound capture: encodings and channel counts to 16-bit mono or stereo, a
// rate changed by interpolation across many calls, and the peak level.
#include "recorder/core/sound_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using recorder::ConvertSamples;
using recorder::SampleEncoding;

TEST(SoundConvert, EncodingsAndChannelsBecome16BitMonoOrStereo) {
  // Floats: clipped beyond full scale; three channels, the third left out.
  const float floats[] = {0.5f, -0.25f, 0.9f, 2.0f, -3.0f, 0.0f};
  std::vector<std::int16_t> out;
  ConvertSamples(floats, 2, SampleEncoding::Float32, 3, 2, out);
  EXPECT_EQ(out, (std::vector<std::int16_t>{16384, -8192, 32767, -32767}));
  out.clear();
  ConvertSamples(floats, 2, SampleEncoding::Float32, 3, 1, out);
  EXPECT_EQ(out, (std::vector<std::int16_t>{4096, 0}));
  // 24- and 32-bit integers keep their upper 16 bits; mono doubled into stereo.
  const unsigned char int24[] = {0x11, 0x34, 0x12, 0x00, 0x00, 0x80};
  out.clear();
  ConvertSamples(int24, 2, SampleEncoding::Int24, 1, 2, out);
  EXPECT_EQ(out, (std::vector<std::int16_t>{0x1234, 0x1234, -32768, -32768}));
  const std::int32_t int32[] = {0x7fff0000, -0x10000};
  out.clear();
  ConvertSamples(int32, 1, SampleEncoding::Int32, 2, 1, out);
  EXPECT_EQ(out, (std::vector<std::int16_t>{16383}));
}

TEST(SoundConvert, ResamplingKeepsItsPlaceAcrossCalls) {
  // A ramp at 48,000 Hz becomes 44,100 Hz: the count follows the ratio, the values the ramp.
  const int inRate = 48000, outRate = 44100;
  recorder::LinearResampler resampler(inRate, outRate, 2);
  std::vector<std::int16_t> out;
  std::int64_t fed = 0;
  for (int call = 0; call < 100; ++call) {
    const std::size_t frames = 37 + call % 13;
    std::vector<std::int16_t> in;
    for (std::size_t f = 0; f < frames; ++f, ++fed) {
      in.push_back(static_cast<std::int16_t>(fed % 20000));
      in.push_back(static_cast<std::int16_t>(-(fed % 20000)));
    }
    resampler.Process(in.data(), frames, out);
  }
  const std::int64_t want = (fed - 1) * outRate / inRate + 1;
  EXPECT_NEAR(static_cast<double>(out.size() / 2), static_cast<double>(want), 1.0);
  for (std::size_t k = 0; k < out.size() / 2; ++k) {
    const double place = static_cast<double>(k) * inRate / outRate;
    if (std::fmod(place, 20000.0) > 19999) continue; // the ramp's fall
    ASSERT_NEAR(out[2 * k], std::fmod(place, 20000.0), 1.0) << "frame " << k;
    ASSERT_EQ(out[2 * k + 1], -out[2 * k]);
  }
}

TEST(SoundConvert, PeakLevel) {
  const std::int16_t samples[] = {3, -200, 100, -32768};
  EXPECT_EQ(recorder::PeakLevel(samples, 3), 200);
  EXPECT_EQ(recorder::PeakLevel(samples, 4), 32767);
  EXPECT_EQ(recorder::PeakLevel(samples, 0), 0);
}

} // namespace
