#include "recorder/core/sound_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace recorder {

namespace {
constexpr float kFullScale = 32767.0f;

std::int16_t ClipTo16(std::int32_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, -32768, 32767));
}

// One sample as a 16-bit value; `p` points at its first (lowest) byte.
std::int16_t Sample16(const unsigned char* p, SampleEncoding encoding) {
  switch (encoding) {
  case SampleEncoding::Int16:
    return static_cast<std::int16_t>(p[0] | (p[1] << 8));
  case SampleEncoding::Int24:
    return static_cast<std::int16_t>(p[1] | (p[2] << 8));
  case SampleEncoding::Int32:
    return static_cast<std::int16_t>(p[2] | (p[3] << 8));
  case SampleEncoding::Float32: {
    float f;
    std::memcpy(&f, p, sizeof f);
    if (!(f == f)) return 0; // NaN
    return ClipTo16(
        static_cast<std::int32_t>(std::lround(std::clamp(f, -1.0f, 1.0f) * kFullScale)));
  }
  }
  return 0;
}
} // namespace

int BytesPerSample(SampleEncoding encoding) {
  switch (encoding) {
  case SampleEncoding::Int16:
    return 2;
  case SampleEncoding::Int24:
    return 3;
  case SampleEncoding::Int32:
  case SampleEncoding::Float32:
    return 4;
  }
  return 2;
}

void ConvertSamples(const void* data, std::size_t frames, SampleEncoding encoding, int inChannels,
                    int outChannels, std::vector<std::int16_t>& out) {
  if (inChannels < 1 || outChannels < 1 || !data) return;
  const auto* bytes = static_cast<const unsigned char*>(data);
  const std::size_t sampleBytes = static_cast<std::size_t>(BytesPerSample(encoding));
  const std::size_t frameBytes = sampleBytes * static_cast<std::size_t>(inChannels);
  out.reserve(out.size() + frames * static_cast<std::size_t>(outChannels));
  for (std::size_t f = 0; f < frames; ++f) {
    const unsigned char* frame = bytes + f * frameBytes;
    std::int16_t left = Sample16(frame, encoding);
    std::int16_t right = inChannels > 1 ? Sample16(frame + sampleBytes, encoding) : left;
    if (outChannels == 1) {
      out.push_back(static_cast<std::int16_t>((std::int32_t{left} + right) / 2));
    } else {
      out.push_back(left);
      out.push_back(right);
    }
  }
}

LinearResampler::LinearResampler(int inRate, int outRate, int channels)
    : inRate_(std::max(inRate, 1)), outRate_(std::max(outRate, 1)),
      channels_(std::max(channels, 1)), last_(static_cast<std::size_t>(channels_), 0) {}

void LinearResampler::Process(const std::int16_t* in, std::size_t frames,
                              std::vector<std::int16_t>& out) {
  const std::size_t channels = static_cast<std::size_t>(channels_);
  if (inRate_ == outRate_) {
    out.insert(out.end(), in, in + frames * channels);
    return;
  }
  const std::int64_t end = consumed_ + static_cast<std::int64_t>(frames);
  // The input frame at absolute index i: the one kept from the last call or one of this call's.
  auto at = [&](std::int64_t i, std::size_t c) {
    return i < consumed_ ? last_[c] : in[static_cast<std::size_t>(i - consumed_) * channels + c];
  };
  for (;;) {
    const std::int64_t t = produced_ * inRate_; // the output frame's place, in 1/outRate frames
    const std::int64_t i = t / outRate_;
    const std::int64_t frac = t % outRate_;
    if (i + 1 >= end || i < consumed_ - 1) break;
    for (std::size_t c = 0; c < channels; ++c) {
      const std::int64_t a = at(i, c), b = at(i + 1, c);
      out.push_back(static_cast<std::int16_t>(a + (b - a) * frac / outRate_));
    }
    ++produced_;
  }
  if (frames > 0) std::copy(in + (frames - 1) * channels, in + frames * channels, last_.begin());
  consumed_ = end;
}

int PeakLevel(const std::int16_t* samples, std::size_t count) {
  int peak = 0;
  for (std::size_t i = 0; i < count; ++i)
    peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
  return std::min(peak, 32767);
}

} // namespace recorder
