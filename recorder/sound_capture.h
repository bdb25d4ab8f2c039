// Sound capture: one source recorded on a thread of its own, handing over blocks of 16-bit
// samples stamped with the moment they arrived. The thread's side is a `TSoundCapture::Source`
// that opens its device and runs it: waveIn for the input devices (recorder/wavein_source.h),
// WASAPI loopback for the sound the computer plays (recorder/loopback_source.h).
#pragma once

#include "recorder/sound_sources.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace recorder {

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

  // The capture thread's side: opens its device and runs until it is asked to stop or the
  // device is lost, on the capture thread (COM objects stay in the thread that made them).
  class Source {
  public:
    explicit Source(TSoundCapture& owner) : owner_(owner) {}
    virtual ~Source() = default;
    virtual bool Open(const TSoundSource& source, int rate, int channels, std::wstring& error) = 0;
    virtual void Run() = 0;

  protected:
    bool StopAsked() const { return owner_.stop_; }
    // Hands captured samples to the owner, stamped with the moment they arrived.
    void Deliver(std::vector<std::int16_t>&& samples);
    void MarkLost() { owner_.lost_ = true; }

  private:
    TSoundCapture& owner_;
  };

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

} // namespace recorder
