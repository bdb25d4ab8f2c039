#include "recorder/sound_capture.h"

#include "recorder/core/sound_convert.h"
#include "recorder/loopback_source.h"
#include "recorder/wavein_source.h"

#include <mmsystem.h>

#include <algorithm>
#include <future>

namespace recorder {

void TSoundCapture::Source::Deliver(std::vector<std::int16_t>&& samples) {
  if (samples.empty()) return;
  TSoundBlock block;
  block.samples = std::move(samples);
  block.arrivedMs = ::timeGetTime();
  owner_.Deliver(std::move(block));
}

TSoundCapture::TSoundCapture() = default;

TSoundCapture::~TSoundCapture() {
  Stop();
}

bool TSoundCapture::Start(const TSoundSource& source, int rate, int channels, std::wstring& error) {
  Stop();
  error.clear();
  if (channels < 1 || channels > 2 || rate <= 0) {
    error = L"The sound source " + QuotedName(source) + L" cannot record this format.";
    return false;
  }
  lost_ = false;
  peak_ = 0;
  stop_ = false;
  {
    std::lock_guard<std::mutex> hold(lock_);
    blocks_.clear();
    queuedFrames_ = 0;
  }
  rate_ = rate;
  channels_ = channels;
  if (source.kind == TSoundSourceKind::PlayedSound)
    source_ = MakeLoopbackSource(*this);
  else
    source_ = MakeWaveInSource(*this);

  // The device is opened on the capture thread, which then runs it; Start waits for the opening.
  std::promise<bool> opened;
  std::future<bool> answer = opened.get_future();
  std::wstring openError;
  thread_ =
      std::thread([this, opened = std::move(opened), &openError, source, rate, channels]() mutable {
        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        std::wstring message;
        bool ok = source_->Open(source, rate, channels, message);
        openError = message;
        opened.set_value(ok);
        if (ok) source_->Run();
        source_.reset(); // closes the device on the thread that opened it
      });
  if (answer.get()) return true;
  thread_.join();
  error = openError;
  rate_ = channels_ = 0;
  return false;
}

void TSoundCapture::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void TSoundCapture::Take(std::vector<TSoundBlock>& out) {
  std::lock_guard<std::mutex> hold(lock_);
  for (TSoundBlock& block : blocks_)
    out.push_back(std::move(block));
  blocks_.clear();
  queuedFrames_ = 0;
}

void TSoundCapture::Deliver(TSoundBlock&& block) {
  const std::size_t channels = static_cast<std::size_t>(std::max(channels_, 1));
  peak_ = PeakLevel(block.samples.data(), block.samples.size());
  const std::size_t limit = static_cast<std::size_t>(rate_) * kSoundBacklogMs / 1000;
  std::lock_guard<std::mutex> hold(lock_);
  queuedFrames_ += block.samples.size() / channels;
  blocks_.push_back(std::move(block));
  std::size_t drop = 0;
  while (queuedFrames_ > limit && drop + 1 < blocks_.size())
    queuedFrames_ -= blocks_[drop++].samples.size() / channels;
  blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(drop));
}

} // namespace recorder
