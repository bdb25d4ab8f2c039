#include "tests/native/msvideo1/support/ffmpeg_pipe.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include <unistd.h>

namespace msvideo1_test {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

std::optional<std::vector<std::uint8_t>> RunAndRead(const std::string& command) {
  struct PipeCloser {
    void operator()(FILE* f) const { pclose(f); }
  };
  FILE* raw = popen(command.c_str(), "r");
  if (!raw) return std::nullopt;
  std::unique_ptr<FILE, PipeCloser> pipe(raw);
  std::vector<std::uint8_t> output;
  std::uint8_t chunk[1 << 16];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;)
    output.insert(output.end(), chunk, chunk + n);
  int status = pclose(pipe.release());
  if (status != 0) return std::nullopt;
  return output;
}

std::string TemporaryPath(const std::string& name) {
  static int counter = 0;
  auto dir = std::filesystem::temp_directory_path();
  return (dir /
          ("msvideo1_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" + name))
      .string();
}

std::optional<std::vector<std::vector<std::uint8_t>>>
DecodeWithFfmpeg(const std::string& path, const std::string& pixelFormat, int width, int height,
                 int bytesPerPixel) {
  // passthrough: one output frame per stored frame, none duplicated or dropped for timing.
  std::string command = "ffmpeg -nostdin -v error -i " + ShellQuoted(path) +
                        " -fps_mode passthrough -f rawvideo -pix_fmt " + pixelFormat + " -";
  auto output = RunAndRead(command);
  if (!output) return std::nullopt;
  const std::size_t frameBytes = static_cast<std::size_t>(width) * height * bytesPerPixel;
  if (frameBytes == 0 || output->size() % frameBytes != 0) return std::nullopt;
  std::vector<std::vector<std::uint8_t>> frames;
  for (std::size_t at = 0; at < output->size(); at += frameBytes)
    frames.emplace_back(output->begin() + at, output->begin() + at + frameBytes);
  return frames;
}

} // namespace msvideo1_test
