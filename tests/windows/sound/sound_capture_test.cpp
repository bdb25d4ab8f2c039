// The sound capture against a real sound server (with_sound.sh plays a tone into it): the list of
// sources, the tone arriving in blocks at its level, pitch and rate, IMA ADPCM from the system's
// compression manager that decodes back close to what was captured, and a device that goes away
// in the middle of a capture.
#include "recorder/sound_capture.h"
#include "recorder/sound_encoder.h"
#include "tests/windows/support/test_support.h"

#include <mmreg.h>
#include <msacm.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using recorder::TSoundBlock;
using recorder::TSoundCapture;
using recorder::TSoundSource;
using recorder::TSoundSourceKind;

struct Tone {
  double hertz = 0, amplitude = 0;
};
Tone PlayedTone() {
  Tone tone;
  std::istringstream(std::getenv("RECORDER_TEST_TONE") ? std::getenv("RECORDER_TEST_TONE") : "") >>
      tone.hertz >> tone.amplitude;
  return tone;
}

std::wstring Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::wstring(value, value + std::strlen(value)) : std::wstring();
}

// A sound server's stream may take a while to begin on a busy machine.
void AwaitFirstBlock(TSoundCapture& capture) {
  std::vector<TSoundBlock> blocks;
  for (DWORD start = ::GetTickCount(); blocks.empty() && ::GetTickCount() - start < 10000;) {
    ::Sleep(20);
    capture.Take(blocks);
  }
  ASSERT_FALSE(blocks.empty()) << "no sound in 10 s";
}

std::vector<TSoundBlock> CaptureFor(TSoundCapture& capture, DWORD ms) {
  std::vector<TSoundBlock> blocks;
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < ms;) {
    ::Sleep(20);
    capture.Take(blocks);
  }
  return blocks;
}

std::vector<std::int16_t> Samples(const std::vector<TSoundBlock>& blocks) {
  std::vector<std::int16_t> all;
  for (const TSoundBlock& b : blocks)
    all.insert(all.end(), b.samples.begin(), b.samples.end());
  return all;
}

// Rising zero crossings of the first channel per second of sound: the tone's pitch.
double Pitch(const std::vector<std::int16_t>& samples, int channels, int rate) {
  int crossings = 0;
  for (std::size_t i = channels; i < samples.size(); i += channels)
    crossings += samples[i - channels] < 0 && samples[i] >= 0;
  return crossings * static_cast<double>(rate) * channels / static_cast<double>(samples.size());
}

void StartOrFail(TSoundCapture& capture, const TSoundSource& source, int rate, int channels) {
  std::wstring error;
  ASSERT_TRUE(capture.Start(source, rate, channels, error)) << testing::PrintToString(error);
  ASSERT_EQ(capture.Rate(), rate);
  ASSERT_EQ(capture.Channels(), channels);
  AwaitFirstBlock(capture);
}

const TSoundSource* Find(const std::vector<TSoundSource>& sources, const std::wstring& prefix) {
  for (const TSoundSource& s : sources)
    if (s.kind == TSoundSourceKind::Device && prefix.compare(0, s.name.size(), s.name) == 0)
      return &s;
  return nullptr;
}

std::vector<std::wstring> ServerSources() {
  std::ifstream file(Env("RECORDER_TEST_SOUND_SOURCES").c_str());
  std::vector<std::wstring> names;
  for (std::string line; std::getline(file, line);) {
    std::wstring wide(line.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                      wide.data(), static_cast<int>(wide.size())));
    names.push_back(wide);
  }
  return names;
}

TEST(SoundSources, TheDefaultFirstThenTheServersInputsByTheirNames) {
  const auto sources = recorder::ListSoundSources();
  ASSERT_FALSE(sources.empty());
  EXPECT_EQ(sources[0].name, L"默认设备");
  EXPECT_EQ(sources[0].kind, TSoundSourceKind::DefaultInput);
  EXPECT_EQ(sources[0].device, WAVE_MAPPER);
  const auto server = ServerSources();
  ASSERT_FALSE(server.empty()) << "with_sound.sh names the server's inputs";
  for (const std::wstring& name : server)
    EXPECT_NE(Find(sources, name), nullptr) << testing::PrintToString(name) << " is not listed";
  // "电脑播放的声音" only where loopback delivers, and Wine 8 gives no capture client for it.
  const bool played = sources.back().kind == TSoundSourceKind::PlayedSound;
  EXPECT_EQ(played, recorder::PlayedSoundAvailable());
  EXPECT_FALSE(played);
  TSoundCapture capture;
  std::wstring error;
  EXPECT_FALSE(capture.Start({TSoundSourceKind::PlayedSound, WAVE_MAPPER, L"电脑播放的声音", 2},
                             44100, 2, error));
  EXPECT_NE(error.find(L"\"电脑播放的声音\""), std::wstring::npos) << testing::PrintToString(error);
  EXPECT_FALSE(capture.Running());
  // A device is opened by its name, whatever its number now; one that is gone says so.
  TSoundSource monitor = *Find(sources, L"Monitor of Null Output");
  monitor.device = 99; // a number no device has now
  StartOrFail(capture, monitor, 22050, 1);
  capture.Stop();
  monitor.name = L"Unplugged Microphone";
  EXPECT_FALSE(capture.Start(monitor, 22050, 1, error));
  EXPECT_NE(error.find(L"\"Unplugged Microphone\""), std::wstring::npos);
}

TEST(SoundCapture, TheToneArrivesAtItsLevelPitchAndRate) {
  const Tone tone = PlayedTone();
  ASSERT_GT(tone.hertz, 0) << "run through with_sound.sh";
  const auto sources = recorder::ListSoundSources();
  const TSoundSource* monitor = Find(sources, L"Monitor of Null Output");
  ASSERT_NE(monitor, nullptr);
  for (auto [source, rate, channels] :
       {std::tuple{*monitor, 22050, 1}, std::tuple{sources[0], 44100, 2}}) {
    SCOPED_TRACE(testing::PrintToString(source.name) + " " + std::to_string(rate));
    TSoundCapture capture;
    StartOrFail(capture, source, rate, channels);
    const auto blocks = CaptureFor(capture, 2000);
    ASSERT_GT(blocks.size(), 20u);
    const auto samples = Samples(blocks);
    const double frames =
        static_cast<double>(samples.size() / channels - blocks[0].samples.size() / channels);
    const double seconds = (blocks.back().arrivedMs - blocks[0].arrivedMs) / 1000.0;
    EXPECT_NEAR(frames / seconds, rate, rate * 0.03) << "frames per second of arrival time";
    for (const TSoundBlock& b : blocks)
      EXPECT_LE(b.samples.size() / channels, static_cast<std::size_t>(rate / 20))
          << "blocks of 50 ms at most";
    int peak = 0;
    for (std::int16_t s : samples)
      peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_NEAR(peak, tone.amplitude * 32767, tone.amplitude * 32767 * 0.1);
    EXPECT_NEAR(capture.Peak(), peak, peak * 0.15);
    EXPECT_NEAR(Pitch(samples, channels, rate), tone.hertz, tone.hertz * 0.02);
    EXPECT_FALSE(capture.Lost());
    capture.Stop();
    EXPECT_FALSE(capture.Running());
  }
}

// The compression manager's own decoder turns encoded blocks back into PCM.
std::vector<std::int16_t> DecodeAdpcm(const std::vector<BYTE>& format,
                                      const std::vector<BYTE>& data, int rate, int channels) {
  WAVEFORMATEX pcm{WAVE_FORMAT_PCM,
                   static_cast<WORD>(channels),
                   static_cast<DWORD>(rate),
                   static_cast<DWORD>(rate * channels * 2),
                   static_cast<WORD>(channels * 2),
                   16,
                   0};
  HACMSTREAM stream = nullptr;
  auto* adpcm = reinterpret_cast<WAVEFORMATEX*>(const_cast<BYTE*>(format.data()));
  if (::acmStreamOpen(&stream, nullptr, adpcm, &pcm, nullptr, 0, 0, 0) != MMSYSERR_NOERROR)
    return {};
  DWORD size = 0;
  ::acmStreamSize(stream, static_cast<DWORD>(data.size()), &size, ACM_STREAMSIZEF_SOURCE);
  std::vector<BYTE> in = data, out(size);
  ACMSTREAMHEADER header{};
  header.cbStruct = sizeof header;
  header.pbSrc = in.data();
  header.cbSrcLength = static_cast<DWORD>(in.size());
  header.pbDst = out.data();
  header.cbDstLength = size;
  ::acmStreamPrepareHeader(stream, &header, 0);
  ::acmStreamConvert(stream, &header, ACM_STREAMCONVERTF_BLOCKALIGN | ACM_STREAMCONVERTF_START);
  ::acmStreamUnprepareHeader(stream, &header, 0);
  ::acmStreamClose(stream, 0);
  std::vector<std::int16_t> samples(header.cbDstLengthUsed / 2);
  std::memcpy(samples.data(), out.data(), samples.size() * 2);
  return samples;
}

void WriteWav(const wchar_t* path, const std::vector<BYTE>& format, const std::vector<BYTE>& data) {
  auto u32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  std::string riff = "WAVEfmt " + u32(static_cast<std::uint32_t>(format.size())) +
                     std::string(format.begin(), format.end()) + "data" +
                     u32(static_cast<std::uint32_t>(data.size())) +
                     std::string(data.begin(), data.end());
  std::ofstream(path, std::ios::binary)
      << "RIFF" << u32(static_cast<std::uint32_t>(riff.size())) << riff;
}

TEST(SoundEncoder, PcmPassesThroughAndImaAdpcmDecodesCloseToTheCapturedTone) {
  recorder::TSoundEncoder pcm;
  ASSERT_TRUE(pcm.Open(22050, 1, false));
  const auto* wfx = reinterpret_cast<const WAVEFORMATEX*>(pcm.Format().data());
  EXPECT_EQ(wfx->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(wfx->nAvgBytesPerSec, 44100u);
  EXPECT_EQ(pcm.BlockAlign(), 2);
  EXPECT_EQ(pcm.SamplesPerBlock(), 1);
  const std::int16_t three[] = {1, -2, 300};
  std::vector<BYTE> bytes;
  pcm.Encode(three, 3, bytes);
  pcm.Flush(bytes);
  ASSERT_EQ(bytes.size(), 6u);
  EXPECT_EQ(std::memcmp(bytes.data(), three, 6), 0);

  const int rate = 44100, channels = 2;
  ASSERT_TRUE(recorder::TSoundEncoder::AdpcmAvailable(rate, channels)) << "Wine has imaadp32.acm";
  TSoundCapture capture;
  StartOrFail(capture, recorder::ListSoundSources()[0], rate, channels);
  const auto samples = Samples(CaptureFor(capture, 1000));
  capture.Stop();
  const std::size_t frames = samples.size() / channels;

  // In uneven pieces or at once: the same whole blocks.
  recorder::TSoundEncoder pieces, whole;
  ASSERT_TRUE(pieces.Open(rate, channels, true));
  ASSERT_TRUE(whole.Open(rate, channels, true));
  const auto* ima = reinterpret_cast<const WAVEFORMATEX*>(pieces.Format().data());
  EXPECT_EQ(ima->wFormatTag, WAVE_FORMAT_IMA_ADPCM);
  EXPECT_EQ(ima->nBlockAlign, pieces.BlockAlign());
  EXPECT_EQ(pieces.Format().size(), sizeof(WAVEFORMATEX) + ima->cbSize);
  std::vector<BYTE> a, b;
  for (std::size_t done = 0, step = 333; done < frames; done += step)
    pieces.Encode(samples.data() + done * channels, std::min(step, frames - done), a);
  pieces.Flush(a);
  whole.Encode(samples.data(), frames, b);
  whole.Flush(b);
  const std::size_t spb = static_cast<std::size_t>(pieces.SamplesPerBlock());
  EXPECT_EQ(a.size(), (frames + spb - 1) / spb * static_cast<std::size_t>(pieces.BlockAlign()));
  EXPECT_EQ(a, b);

  const auto decoded = DecodeAdpcm(pieces.Format(), a, rate, channels);
  ASSERT_GE(decoded.size(), samples.size());
  double signal = 0, noise = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    signal += double(samples[i]) * samples[i];
    noise += double(samples[i] - decoded[i]) * (samples[i] - decoded[i]);
  }
  const double snr = 10 * std::log10(signal / std::max(noise, 1.0));
  std::printf("IMA ADPCM of the captured tone: %.1f dB signal to noise, %zu bytes for %zu\n", snr,
              a.size(), samples.size() * 2);
  EXPECT_GT(snr, 20.0);
  // ffprobe and ffmpeg judge this file too (verify_sound.sh).
  WriteWav(testing_support::ArtifactPath(L"sound", L"tone_ima_adpcm.wav").c_str(), pieces.Format(),
           a);
}

// Last: it ends the sound server.
TEST(SoundCaptureZ, ADeviceThatGoesAwayIsLostAndStopsAtOnce) {
  const std::wstring stop = Env("RECORDER_SOUND_SERVER_STOP");
  ASSERT_FALSE(stop.empty()) << "run through with_sound.sh";
  TSoundCapture capture;
  StartOrFail(capture, recorder::ListSoundSources()[0], 44100, 2);
  ASSERT_FALSE(CaptureFor(capture, 500).empty());
  std::ofstream(stop.c_str()) << "stop\n";
  const DWORD start = ::GetTickCount();
  while (!capture.Lost() && ::GetTickCount() - start < 10000) {
    CaptureFor(capture, 100);
  }
  std::printf("the capture knew the device gone after %lu ms\n", ::GetTickCount() - start);
  EXPECT_TRUE(capture.Lost());
  const DWORD stopping = ::GetTickCount();
  capture.Stop();
  EXPECT_LT(::GetTickCount() - stopping, 1000u);
}

} // namespace
