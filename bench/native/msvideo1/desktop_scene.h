// Desktop-like screen pictures: wallpaper, icons, a task bar with a clock, overlapping windows with
// anti-aliased text, a photo and a mouse cursor, changing a little from frame to frame the way a
// screen does while someone types, moves the mouse and scrolls now and then.
#pragma once

#include <cstdint>
#include <vector>

namespace msvideo1_bench {

// Pixels as 0x00RRGGBB, rows top-down.
struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  Canvas(int w, int h) : width(w), height(h), pixels(std::size_t(w) * h, 0) {}
  void Fill(int x, int y, int w, int h, std::uint32_t colour);
  void VerticalGradient(int x, int y, int w, int h, std::uint32_t top, std::uint32_t bottom);
  void HorizontalGradient(int x, int y, int w, int h, std::uint32_t left, std::uint32_t right);
  // Mixes `colour` into one pixel with weight alpha/256.
  void Blend(int x, int y, std::uint32_t colour, int alpha);
  // Draws text in a made-up anti-aliased face, 8 px per character, 14 px high.
  void Text(int x, int y, const char* text, std::uint32_t colour);
  void Photo(int x, int y, int w, int h, unsigned seed);
  void Cursor(int x, int y);
};

// Frame `index` of a scene of the given size.
Canvas DesktopFrame(int width, int height, int index);

// The canvas as a 32-bit bottom-up DIB (blue, green, red, 0 per pixel).
std::vector<std::uint8_t> ToDib32(const Canvas& canvas);

} // namespace msvideo1_bench
