// Speed, size and quality of our Microsoft Video 1 encoder next to ffmpeg's msvideo1 encoder, on
// the same 1920×1080 frames, in one run: ffmpeg's testsrc2 pattern and a desktop-like sequence
// with small changes from frame to frame. Both outputs are decoded by ffmpeg and compared with
// the 24-bit source (PSNR over all frames and components). ffmpeg encodes with one thread; its
// time is that of the encoding run minus a run that only reads the same input.
//
// Usage: msvideo1_bench [--frames N] [--quality Q] [--keyint K] [--size WxH] [--screenshots F]
// F: raw top-down BGRA screenshots of the given size, one after the other, as a third sequence
// (screenshots_bench.sh takes them of a Wine desktop).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/native/msvideo1/desktop_scene.h"
#include "recorder/core/msvideo1_encoder.h"
#include "tests/native/msvideo1/support/avi_file.h"
#include "tests/native/msvideo1/support/ffmpeg_pipe.h"

namespace mv1 = recorder::msvideo1;
using namespace msvideo1_test;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
  int frames = 50;
  int quality = mv1::kDefaultQuality;
  int keyInterval = 25;
  int width = 1920, height = 1080;
  int stillFrames = 500;
  std::string screenshots;
};

// 32-bit bottom-up DIB frames, as the screen capture delivers them.
struct Sequence {
  std::string name;
  int width = 0, height = 0;
  std::vector<std::vector<std::uint8_t>> frames;
};

struct Result {
  double framesPerSecond = 0;
  double bytesPerFrame = 0;
  double psnr = 0;
  int keyFrames = 0;
};

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double TimeCommand(const std::string& command) {
  auto start = Clock::now();
  int status = std::system(command.c_str());
  double seconds = Seconds(Clock::now() - start);
  if (status != 0) {
    std::fprintf(stderr, "command failed: %s\n", command.c_str());
    std::exit(1);
  }
  return seconds;
}

// Top-down rows turned into a bottom-up DIB.
std::vector<std::uint8_t> FlippedRows(const std::uint8_t* topDown, int width, int height) {
  const std::size_t rowBytes = std::size_t(width) * 4;
  std::vector<std::uint8_t> dib(rowBytes * height);
  for (int y = 0; y < height; ++y)
    std::memcpy(&dib[y * rowBytes], topDown + (height - 1 - y) * rowBytes, rowBytes);
  return dib;
}

Sequence TestSource(const Options& o) {
  Sequence s{"testsrc2", o.width, o.height, {}};
  std::ostringstream command;
  command << "ffmpeg -nostdin -v error -f lavfi -i testsrc2=size=" << o.width << "x" << o.height
          << ":rate=10 -frames:v " << o.frames << " -pix_fmt bgra -f rawvideo -";
  auto raw = RunAndRead(command.str());
  const std::size_t frameBytes = std::size_t(o.width) * o.height * 4;
  if (!raw || raw->size() != frameBytes * o.frames) {
    std::fprintf(stderr, "ffmpeg could not make the testsrc2 frames\n");
    std::exit(1);
  }
  for (int f = 0; f < o.frames; ++f)
    s.frames.push_back(FlippedRows(raw->data() + f * frameBytes, o.width, o.height));
  return s;
}

Sequence ScreenshotSource(const Options& o) {
  Sequence s{"screens", o.width, o.height, {}};
  std::ifstream file(o.screenshots, std::ios::binary);
  std::vector<std::uint8_t> shot(std::size_t(o.width) * o.height * 4);
  while (static_cast<int>(s.frames.size()) < o.frames &&
         file.read(reinterpret_cast<char*>(shot.data()), std::streamsize(shot.size()))) {
    for (std::size_t i = 3; i < shot.size(); i += 4)
      shot[i] = 0; // as GetDIBits leaves it
    s.frames.push_back(FlippedRows(shot.data(), o.width, o.height));
  }
  if (s.frames.empty()) {
    std::fprintf(stderr, "no %dx%d screenshots in %s\n", o.width, o.height, o.screenshots.c_str());
    std::exit(1);
  }
  return s;
}

Sequence DesktopSource(const Options& o) {
  Sequence s{"desktop", o.width, o.height, {}};
  for (int f = 0; f < o.frames; ++f)
    s.frames.push_back(msvideo1_bench::ToDib32(msvideo1_bench::DesktopFrame(o.width, o.height, f)));
  return s;
}

// PSNR of decoded frames (top-down rgb24) against the source, from the squared error summed over
// the whole sequence.
double SequencePsnr(const Sequence& s, const std::string& aviPath) {
  auto decoded = DecodeWithFfmpeg(aviPath, "rgb24", s.width, s.height, 3);
  if (!decoded || decoded->size() != s.frames.size()) {
    std::fprintf(stderr, "ffmpeg could not decode %s\n", aviPath.c_str());
    std::exit(1);
  }
  double sum = 0;
  for (std::size_t f = 0; f < s.frames.size(); ++f) {
    for (int y = 0; y < s.height; ++y) {
      const std::uint8_t* src = &s.frames[f][std::size_t(y) * s.width * 4];
      const std::uint8_t* dec = &(*decoded)[f][std::size_t(s.height - 1 - y) * s.width * 3];
      long row = 0;
      for (int x = 0; x < s.width; ++x) {
        int dr = src[4 * x + 2] - dec[3 * x], dg = src[4 * x + 1] - dec[3 * x + 1],
            db = src[4 * x] - dec[3 * x + 2];
        row += dr * dr + dg * dg + db * db;
      }
      sum += double(row);
    }
  }
  double mse = sum / (3.0 * s.width * s.height * s.frames.size());
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// ffmpeg's encoder takes RGB555 only; it gets the source quantised the same way as ours.
Result RunFfmpeg(const Sequence& s, const Options& o, std::vector<bool>& keyFrames) {
  const std::string input = TemporaryPath("source.rgb555"), output = TemporaryPath("ffmpeg.avi");
  {
    std::ofstream file(input, std::ios::binary);
    std::vector<std::uint8_t> row(std::size_t(s.width) * 2);
    for (const auto& frame : s.frames) {
      for (int y = s.height - 1; y >= 0; --y) {
        const std::uint8_t* px = &frame[std::size_t(y) * s.width * 4];
        for (int x = 0; x < s.width; ++x) {
          mv1::Rgb555 c = mv1::Rgb555FromRgb8(px[4 * x + 2], px[4 * x + 1], px[4 * x]);
          row[2 * x] = static_cast<std::uint8_t>(c);
          row[2 * x + 1] = static_cast<std::uint8_t>(c >> 8);
        }
        file.write(reinterpret_cast<const char*>(row.data()), std::streamsize(row.size()));
      }
    }
  }
  std::ostringstream in;
  in << "ffmpeg -nostdin -v error -threads 1 -f rawvideo -pix_fmt rgb555le -video_size " << s.width
     << "x" << s.height << " -framerate 10 -i " << ShellQuoted(input);
  const double readOnly = TimeCommand(in.str() + " -f null -");
  std::ostringstream encode;
  encode << in.str() << " -c:v msvideo1 -g " << o.keyInterval << " -keyint_min " << o.keyInterval
         << " -y " << ShellQuoted(output);
  const double total = TimeCommand(encode.str());

  auto packets = RunAndRead("ffprobe -v error -select_streams v -show_entries packet=size,flags "
                            "-of csv=p=0 " +
                            ShellQuoted(output));
  Result r;
  keyFrames.clear();
  double bytes = 0;
  if (packets) {
    std::istringstream lines(std::string(packets->begin(), packets->end()));
    for (std::string line; std::getline(lines, line);) {
      auto comma = line.find(',');
      if (comma == std::string::npos) continue;
      bytes += std::stod(line.substr(0, comma));
      keyFrames.push_back(line[comma + 1] == 'K');
      r.keyFrames += keyFrames.back();
    }
  }
  r.framesPerSecond = s.frames.size() / std::max(total - readOnly, 1e-6);
  r.bytesPerFrame = bytes / s.frames.size();
  r.psnr = SequencePsnr(s, output);
  std::remove(input.c_str());
  std::remove(output.c_str());
  return r;
}

Result RunOurs(const Sequence& s, const Options& o, const std::vector<bool>& keyFrames) {
  const mv1::InputFormat format{s.width, s.height, 32};
  mv1::Encoder encoder;
  if (encoder.Start(format) != mv1::Status::Ok) std::exit(1);
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  VideoStream stream{s.width, s.height, 10, {}};
  Clock::duration busy{};
  Result r;
  double bytes = 0;
  for (std::size_t f = 0; f < s.frames.size(); ++f) {
    const bool key = f < keyFrames.size() ? keyFrames[f] : f % o.keyInterval == 0;
    mv1::EncodedFrame frame;
    auto start = Clock::now();
    mv1::Status status = encoder.Encode(s.frames[f], key, o.quality, out, frame);
    busy += Clock::now() - start;
    if (status != mv1::Status::Ok) std::exit(1);
    bytes += double(frame.bytes);
    r.keyFrames += frame.keyFrame;
    stream.frames.push_back({{out.begin(), out.begin() + frame.bytes}, frame.keyFrame});
  }
  r.framesPerSecond = s.frames.size() / Seconds(busy);
  r.bytesPerFrame = bytes / s.frames.size();
  const std::string path = TemporaryPath("ours.avi");
  if (!WriteAvi(path, stream)) std::exit(1);
  r.psnr = SequencePsnr(s, path);
  std::remove(path.c_str());
  return r;
}

// Delta frames of a screen where nothing changes.
double StillScreenFramesPerSecond(const Sequence& s, const Options& o) {
  const mv1::InputFormat format{s.width, s.height, 32};
  mv1::Encoder encoder;
  encoder.Start(format);
  std::vector<std::uint8_t> out(mv1::MaxCompressedBytes(format));
  mv1::EncodedFrame frame;
  encoder.Encode(s.frames[0], true, o.quality, out, frame);
  auto start = Clock::now();
  for (int i = 0; i < o.stillFrames; ++i)
    encoder.Encode(s.frames[0], false, o.quality, out, frame);
  return o.stillFrames / Seconds(Clock::now() - start);
}

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string key = argv[i], value = argv[i + 1];
    if (key == "--frames")
      o.frames = std::max(1, std::atoi(value.c_str()));
    else if (key == "--quality")
      o.quality = std::atoi(value.c_str());
    else if (key == "--keyint")
      o.keyInterval = std::max(1, std::atoi(value.c_str()));
    else if (key == "--size" && std::sscanf(value.c_str(), "%dx%d", &o.width, &o.height) == 2)
      continue;
    else if (key == "--screenshots")
      o.screenshots = value;
    else {
      std::fprintf(stderr,
                   "usage: %s [--frames N] [--quality Q] [--keyint K] [--size WxH] "
                   "[--screenshots FILE]\n",
                   argv[0]);
      std::exit(2);
    }
  }
  return o;
}

} // namespace

int main(int argc, char** argv) {
  const Options o = Parse(argc, argv);
  std::printf("Microsoft Video 1, %dx%d, %d frames per sequence, key frame every %d, our quality "
              "%d, one thread\n\n",
              o.width, o.height, o.frames, o.keyInterval, o.quality);
  std::printf("%-9s %-16s %9s %13s %9s %5s\n", "sequence", "encoder", "frames/s", "bytes/frame",
              "PSNR dB", "keys");
  bool targetsMet = true;
  std::vector<std::function<Sequence(const Options&)>> sources = {TestSource, DesktopSource};
  if (!o.screenshots.empty()) sources.push_back(ScreenshotSource);
  for (const auto& make : sources) {
    Sequence s = make(o);
    std::vector<bool> keyFrames;
    Result peer = RunFfmpeg(s, o, keyFrames);
    Result ours = RunOurs(s, o, keyFrames);
    double still = StillScreenFramesPerSecond(s, o);
    auto row = [&](const char* who, const Result& r) {
      std::printf("%-9s %-16s %9.1f %13.0f %9.2f %5d\n", s.name.c_str(), who, r.framesPerSecond,
                  r.bytesPerFrame, r.psnr, r.keyFrames);
    };
    row("ffmpeg msvideo1", peer);
    row("ours", ours);
    const double speed = ours.framesPerSecond / peer.framesPerSecond;
    const double psnrGap = ours.psnr - peer.psnr, size = ours.bytesPerFrame / peer.bytesPerFrame;
    std::printf("%-9s ours/ffmpeg: %.1fx speed, %+.2f dB, %.1f%% size; %zu frames; still "
                "screen %.0f frames/s\n\n",
                s.name.c_str(), speed, psnrGap, 100 * size, s.frames.size(), still);
    targetsMet = targetsMet && speed >= 4 && psnrGap >= -0.5 && size <= 1.10 && still > 200;
  }
  std::printf("targets (>= 4x speed, >= -0.5 dB, <= 110%% size, still > 200 frames/s): %s\n",
              targetsMet ? "met" : "NOT met");
  return 0;
}
