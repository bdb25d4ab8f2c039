// Running ffmpeg as the independent reference: decoding AVI files to raw pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace msvideo1_test {

// Quotes a path for the shell.
std::string ShellQuoted(const std::string& text);

// Runs a shell command and returns its standard output, or nothing when it fails.
std::optional<std::vector<std::uint8_t>> RunAndRead(const std::string& command);

// A fresh file name in the temporary folder, unique to this process.
std::string TemporaryPath(const std::string& name);

// Decodes every frame of a video file with ffmpeg into `pixelFormat` ("rgb555le", "rgb24",
// "bgra") with top-down rows, one vector per frame. Nothing when ffmpeg fails or the output is
// not a whole number of frames.
std::optional<std::vector<std::vector<std::uint8_t>>>
DecodeWithFfmpeg(const std::string& path, const std::string& pixelFormat, int width, int height,
                 int bytesPerPixel);

} // namespace msvideo1_test
