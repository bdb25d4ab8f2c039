// Sound capture: the list of sources a recording can take its sound from, a capture of one
// source on a thread of its own that hands over blocks of 16-bit samples stamped with the moment
// they arrived, and the encoder that turns those samples into the audio stream's data (PCM as it
// is, or IMA ADPCM through the system's audio compression manager). Input devices are recorded
// through waveIn; the sound the computer plays through WASAPI loopback on the default output.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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

// What the settings dialog chooses; kept on the engine while the program runs.
struct TSoundSettings {
  bool record = false; // "录制声音"
  TSoundSource source;
  int rate = 44100, channels = 2; // always 16-bit PCM from the source
  bool adpcm = false;             // "声音压缩": "PCM" or "IMA ADPCM"
};

// Captured 16-bit interleaved samples and the timeGetTime() at which the device handed them
// over (their last sample was captured then, give or take the device's latency).
struct TSoundBlock {
  std::vector<std::int16_t> samples;
  std::uint32_t arrivedMs = 0;
};

// Captures from one source on its own thread. Blocks wait in a queue until Take; a queue nobody
// empties keeps only the latest kSoundBacklogMs of sound (older blocks are dropped, which reads
// as a gap in the arrival times).
class TSoundCapture {
public:
  static constexpr std::uint32_t kSoundBacklogMs = 60000;

  TSoundCapture();
  ~TSoundCapture(); // stops
  TSoundCapture(const TSoundCapture&) = delete;
  TSoundCapture& operator=(const TSoundCapture&) = delete;

  // Opens and starts the source (a capture already running is stopped first); false, with a
  // message naming the device in `error`, when it cannot be opened. A device is found by its
  // name (its number may have changed since it was listed).
  bool Start(const TSoundSource& source, int rate, int channels, std::wstring& error);
  // Stops the thread and closes the device; returns promptly even when the device is gone.
  void Stop();
  // Moves the blocks captured since the last call to the end of `out` (thread-safe).
  void Take(std::vector<TSoundBlock>& out);
  // Peak |sample| of the latest block, 0..32767 (a level meter's reading).
  int Peak() const { return peak_; }
  // The device went away or stopped with an error, for good: nothing more arrives.
  bool Lost() const { return lost_; }
  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  bool Running() const { return thread_.joinable(); }

  // The capture thread's side.
  class Source;

private:
  void Deliver(TSoundBlock&& block);

  std::unique_ptr<Source> source_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> peak_{0};
  std::atomic<bool> lost_{false};
  int channels_ = 0, rate_ = 0;
  std::mutex lock_;
  std::vector<TSoundBlock> blocks_; // under lock_
  std::size_t queuedFrames_ = 0;    // under lock_
};

// The audio stream's data: 16-bit PCM passed through, or IMA ADPCM made by the audio compression
// manager (acmStream*) in whole blocks.
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
