// The audio stream's data: 16-bit PCM passed through, or IMA ADPCM made by the audio compression
// manager (acmStream*) in whole blocks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace recorder {

class TSoundEncoder {
public:
  TSoundEncoder();
  ~TSoundEncoder();
  TSoundEncoder(const TSoundEncoder&) = delete;
  TSoundEncoder& operator=(const TSoundEncoder&) = delete;

  // Whether the compression manager can make IMA ADPCM from 16-bit PCM of this rate and count.
  static bool AdpcmAvailable(int rate, int channels);
  // Prepares the encoding; false when IMA ADPCM was asked for and cannot be made.
  bool Open(int rate, int channels, bool adpcm);
  // WAVEFORMATEX (with its cbSize extra bytes) for the audio stream's format.
  const std::vector<BYTE>& Format() const { return format_; }
  int BlockAlign() const { return blockAlign_; }
  int SamplesPerBlock() const { return samplesPerBlock_; } // frames per block; 1 for PCM
  // Appends the whole encoded blocks made from `frames` interleaved frames; frames short of a
  // whole block wait for the next call.
  void Encode(const std::int16_t* samples, std::size_t frames, std::vector<BYTE>& out);
  // Pads the waiting frames with silence to a whole block and appends it.
  void Flush(std::vector<BYTE>& out);

  class AcmStream;

private:
  void EncodeBlocks(const std::int16_t* samples, std::size_t blocks, std::vector<BYTE>& out);

  std::vector<BYTE> format_;
  int channels_ = 0, blockAlign_ = 0, samplesPerBlock_ = 1;
  std::unique_ptr<AcmStream> acm_; // IMA ADPCM only
  std::vector<std::int16_t> pending_;
};

} // namespace recorder
