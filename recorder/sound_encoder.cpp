#include "recorder/sound_encoder.h"

#include "recorder/sound_sources.h"

#include <mmsystem.h>

#include <mmreg.h>
#include <msacm.h>

#include <algorithm>
#include <cstring>

namespace recorder {

// An ACM conversion stream from 16-bit PCM to IMA ADPCM with one prepared header whose buffers
// hold kBlocksPerPass blocks.
class TSoundEncoder::AcmStream {
public:
  static constexpr std::size_t kBlocksPerPass = 16;

  ~AcmStream() {
    if (prepared_) ::acmStreamUnprepareHeader(stream_, &header_, 0);
    if (stream_) ::acmStreamClose(stream_, 0);
  }

  bool Open(WAVEFORMATEX& pcm, WAVEFORMATEX& adpcm, std::size_t pcmBlockBytes,
            std::size_t adpcmBlockBytes) {
    if (::acmStreamOpen(&stream_, nullptr, &pcm, &adpcm, nullptr, 0, 0,
                        ACM_STREAMOPENF_NONREALTIME) != MMSYSERR_NOERROR) {
      stream_ = nullptr;
      return false;
    }
    DWORD outBytes = 0;
    const DWORD inBytes = static_cast<DWORD>(pcmBlockBytes * kBlocksPerPass);
    if (::acmStreamSize(stream_, inBytes, &outBytes, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR)
      return false;
    in_.assign(inBytes, 0);
    out_.assign(std::max<std::size_t>(outBytes, adpcmBlockBytes * kBlocksPerPass), 0);
    header_.cbStruct = sizeof header_;
    header_.pbSrc = in_.data();
    header_.cbSrcLength = inBytes;
    header_.pbDst = out_.data();
    header_.cbDstLength = static_cast<DWORD>(out_.size());
    prepared_ = ::acmStreamPrepareHeader(stream_, &header_, 0) == MMSYSERR_NOERROR;
    return prepared_;
  }

  // Converts `bytes` (whole PCM blocks, at most a pass) and appends what came out.
  bool Convert(const BYTE* data, std::size_t bytes, std::vector<BYTE>& out) {
    std::memcpy(in_.data(), data, bytes);
    header_.cbSrcLength = static_cast<DWORD>(bytes);
    header_.cbDstLengthUsed = 0;
    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN | (started_ ? 0 : ACM_STREAMCONVERTF_START);
    if (::acmStreamConvert(stream_, &header_, flags) != MMSYSERR_NOERROR) return false;
    started_ = true;
    out.insert(out.end(), out_.begin(), out_.begin() + header_.cbDstLengthUsed);
    return true;
  }

private:
  HACMSTREAM stream_ = nullptr;
  ACMSTREAMHEADER header_{};
  bool prepared_ = false, started_ = false;
  std::vector<BYTE> in_, out_;
};

namespace {
// The IMA ADPCM format the compression manager suggests for 16-bit PCM of this kind.
bool AdpcmFormat(int rate, int channels, IMAADPCMWAVEFORMAT& adpcm) {
  WAVEFORMATEX pcm = PcmFormat(rate, channels);
  adpcm = {};
  adpcm.wfx.wFormatTag = WAVE_FORMAT_IMA_ADPCM;
  if (::acmFormatSuggest(nullptr, &pcm, &adpcm.wfx, sizeof adpcm, ACM_FORMATSUGGESTF_WFORMATTAG) !=
      MMSYSERR_NOERROR)
    return false;
  return adpcm.wfx.wFormatTag == WAVE_FORMAT_IMA_ADPCM && adpcm.wfx.nChannels == channels &&
         adpcm.wfx.nSamplesPerSec == static_cast<DWORD>(rate) && adpcm.wSamplesPerBlock > 0 &&
         adpcm.wfx.nBlockAlign > 0;
}
} // namespace

TSoundEncoder::TSoundEncoder() = default;
TSoundEncoder::~TSoundEncoder() = default;

bool TSoundEncoder::AdpcmAvailable(int rate, int channels) {
  IMAADPCMWAVEFORMAT adpcm;
  if (!AdpcmFormat(rate, channels, adpcm)) return false;
  WAVEFORMATEX pcm = PcmFormat(rate, channels);
  return ::acmStreamOpen(nullptr, nullptr, &pcm, &adpcm.wfx, nullptr, 0, 0,
                         ACM_STREAMOPENF_QUERY | ACM_STREAMOPENF_NONREALTIME) == MMSYSERR_NOERROR;
}

bool TSoundEncoder::Open(int rate, int channels, bool adpcm) {
  acm_.reset();
  pending_.clear();
  channels_ = channels;
  WAVEFORMATEX pcm = PcmFormat(rate, channels);
  if (!adpcm) {
    format_.assign(reinterpret_cast<const BYTE*>(&pcm),
                   reinterpret_cast<const BYTE*>(&pcm) + sizeof pcm);
    blockAlign_ = pcm.nBlockAlign;
    samplesPerBlock_ = 1;
    return true;
  }
  IMAADPCMWAVEFORMAT ima;
  if (!AdpcmFormat(rate, channels, ima)) return false;
  auto stream = std::make_unique<AcmStream>();
  if (!stream->Open(pcm, ima.wfx, static_cast<std::size_t>(ima.wSamplesPerBlock) * pcm.nBlockAlign,
                    ima.wfx.nBlockAlign))
    return false;
  acm_ = std::move(stream);
  format_.assign(reinterpret_cast<const BYTE*>(&ima),
                 reinterpret_cast<const BYTE*>(&ima) + sizeof ima);
  blockAlign_ = ima.wfx.nBlockAlign;
  samplesPerBlock_ = ima.wSamplesPerBlock;
  return true;
}

void TSoundEncoder::Encode(const std::int16_t* samples, std::size_t frames,
                           std::vector<BYTE>& out) {
  const std::size_t channels = static_cast<std::size_t>(channels_);
  if (!acm_) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(samples);
    out.insert(out.end(), bytes, bytes + frames * channels * sizeof(std::int16_t));
    return;
  }
  const std::size_t blockSamples = static_cast<std::size_t>(samplesPerBlock_) * channels;
  std::size_t offered = frames * channels, used = 0;
  // Frames left over from the last call first make up a whole block.
  if (!pending_.empty()) {
    used = std::min(offered, blockSamples - pending_.size());
    pending_.insert(pending_.end(), samples, samples + used);
    if (pending_.size() < blockSamples) return;
    EncodeBlocks(pending_.data(), 1, out);
    pending_.clear();
  }
  const std::size_t blocks = (offered - used) / blockSamples;
  EncodeBlocks(samples + used, blocks, out);
  used += blocks * blockSamples;
  pending_.assign(samples + used, samples + offered);
}

void TSoundEncoder::Flush(std::vector<BYTE>& out) {
  if (!acm_ || pending_.empty()) return;
  pending_.resize(static_cast<std::size_t>(samplesPerBlock_) * static_cast<std::size_t>(channels_),
                  0);
  EncodeBlocks(pending_.data(), 1, out);
  pending_.clear();
}

void TSoundEncoder::EncodeBlocks(const std::int16_t* samples, std::size_t blocks,
                                 std::vector<BYTE>& out) {
  const std::size_t blockBytes = static_cast<std::size_t>(samplesPerBlock_) *
                                 static_cast<std::size_t>(channels_) * sizeof(std::int16_t);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(samples);
  while (blocks > 0) {
    const std::size_t pass = std::min(blocks, AcmStream::kBlocksPerPass);
    if (!acm_->Convert(bytes, pass * blockBytes, out)) {
      // What the codec refused becomes silence of the same length, so the stream keeps its time.
      out.insert(out.end(), pass * static_cast<std::size_t>(blockAlign_), 0);
    }
    bytes += pass * blockBytes;
    blocks -= pass;
  }
}

} // namespace recorder
