// Sample conversion for sound capture: from whatever a sound system delivers (16-, 24- or 32-bit
// integers, 32-bit floats, any number of channels, any rate) to the 16-bit mono or stereo
// samples a recording keeps, and the peak level of a run of samples. Plain arithmetic, no
// system calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace recorder {

enum class SampleEncoding { Int16, Int24, Int32, Float32 };

// Bytes of one sample of one channel.
int BytesPerSample(SampleEncoding encoding);

// Appends `frames` interleaved frames of `inChannels` channels, converted to 16 bits and to
// `outChannels` (1 or 2), to `out`. A mono output mixes the first two channels; a stereo output
// from one channel doubles it; further channels are left out. Floats beyond +-1 are clipped.
void ConvertSamples(const void* data, std::size_t frames, SampleEncoding encoding, int inChannels,
                    int outChannels, std::vector<std::int16_t>& out);

// Changes the rate of a stream of 16-bit interleaved frames by linear interpolation, keeping
// its place across calls: after N input frames it has given N * outRate / inRate output frames
// (rounded down, less the one frame it waits for to interpolate towards).
class LinearResampler {
public:
  LinearResampler(int inRate, int outRate, int channels);
  void Process(const std::int16_t* in, std::size_t frames, std::vector<std::int16_t>& out);

private:
  std::int64_t inRate_, outRate_;
  int channels_;
  std::int64_t consumed_ = 0;      // input frames seen before this call
  std::int64_t produced_ = 0;      // output frames given
  std::vector<std::int16_t> last_; // the last input frame seen
};

// Largest |sample|, 0..32767 (-32768 counts as 32767).
int PeakLevel(const std::int16_t* samples, std::size_t count);

} // namespace recorder
