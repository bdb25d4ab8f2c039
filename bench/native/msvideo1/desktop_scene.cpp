#include "bench/native/msvideo1/desktop_scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace msvideo1_bench {
namespace {

constexpr int kGlyphWidth = 8, kGlyphHeight = 14;
using Glyph = std::array<std::uint8_t, kGlyphWidth * kGlyphHeight>; // coverage 0..255

std::uint32_t Hash(std::uint32_t v) {
  v ^= v >> 16;
  v *= 0x7feb352d;
  v ^= v >> 15;
  v *= 0x846ca68b;
  return v ^ (v >> 16);
}

// Letter-like shapes: a few strokes per character, with softened edges as anti-aliased screen
// text has, so that text blocks carry more than two colours.
Glyph MakeGlyph(unsigned char c) {
  Glyph g{};
  if (c == ' ') return g;
  std::uint32_t bits = Hash(c * 2654435761u);
  auto ink = [&](int x, int y, int value) {
    if (x < 0 || y < 0 || x >= kGlyphWidth || y >= kGlyphHeight) return;
    std::uint8_t& p = g[y * kGlyphWidth + x];
    p = static_cast<std::uint8_t>(std::max<int>(p, value));
  };
  const int top = (bits & 1) ? 2 : 5, bottom = 11;
  auto vertical = [&](int x) {
    for (int y = top; y <= bottom; ++y)
      ink(x, y, 255), ink(x + 1, y, 90);
  };
  auto horizontal = [&](int y) {
    for (int x = 1; x <= 5; ++x)
      ink(x, y, 255), ink(x, y + 1, 70);
  };
  if (bits & 2) vertical(1);
  if (bits & 4) vertical(5);
  if (bits & 8) vertical(3);
  if (bits & 16) horizontal(top);
  if (bits & 32) horizontal((top + bottom) / 2);
  if (bits & 64) horizontal(bottom);
  if (bits & 128)
    for (int k = 0; k <= bottom - top; ++k)
      ink(1 + k * 4 / (bottom - top), top + k, 200);
  if ((bits & 0xFE) == 0) vertical(3);
  if (bits & 256) ink(3, bottom + 2, 160); // a descender dot
  return g;
}

const std::array<Glyph, 128>& Glyphs() {
  static const std::array<Glyph, 128> glyphs = [] {
    std::array<Glyph, 128> all{};
    for (int c = 0; c < 128; ++c)
      all[c] = MakeGlyph(static_cast<unsigned char>(c));
    return all;
  }();
  return glyphs;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int alpha) {
  auto ch = [&](int shift) {
    int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return static_cast<std::uint32_t>((x * (256 - alpha) + y * alpha) >> 8) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

// Pseudo-words of a line, the same for the same seed.
std::string Words(unsigned seed, int characters) {
  static const char kLetters[] = "etaoinshrdlucmfwypvbgkqjxz";
  std::string line;
  std::uint32_t h = seed;
  while (static_cast<int>(line.size()) < characters) {
    h = Hash(h + 1);
    int length = 2 + h % 8;
    for (int i = 0; i < length; ++i)
      line += kLetters[Hash(h + i) % 26 % (i == 0 ? 26 : 12)];
    line += (h % 7 == 0) ? ", " : " ";
  }
  line.resize(static_cast<std::size_t>(characters));
  return line;
}

struct WindowFrame {
  int x, y, w, h;
  const char* title;
  bool active;
};

// Frame, title bar and client area; returns the client rectangle's top-left corner.
void DrawWindow(Canvas& c, const WindowFrame& f, std::uint32_t client) {
  c.Fill(f.x - 1, f.y - 1, f.w + 2, f.h + 2, 0x404040);
  if (f.active)
    c.HorizontalGradient(f.x, f.y, f.w, 30, 0x00549E, 0x2E8BD0);
  else
    c.HorizontalGradient(f.x, f.y, f.w, 30, 0x8A8A8A, 0xC4C4C4);
  c.Text(f.x + 10, f.y + 8, f.title, 0xFFFFFF);
  for (int i = 0; i < 3; ++i)
    c.Fill(f.x + f.w - 30 - 34 * i, f.y + 6, 26, 18, 0xD0D0D8);
  c.Fill(f.x + f.w - 30, f.y + 6, 26, 18, 0xC84040);
  c.Fill(f.x, f.y + 30, f.w, f.h - 30, client);
}

} // namespace

void Canvas::Fill(int x, int y, int w, int h, std::uint32_t colour) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + w, width), y1 = std::min(y + h, height);
  for (int yy = y0; yy < y1; ++yy)
    std::fill(&pixels[std::size_t(yy) * width + x0], &pixels[std::size_t(yy) * width + x1], colour);
}

void Canvas::VerticalGradient(int x, int y, int w, int h, std::uint32_t top, std::uint32_t bottom) {
  for (int yy = 0; yy < h; ++yy)
    Fill(x, y + yy, w, 1, Mix(top, bottom, yy * 256 / std::max(h, 1)));
}

void Canvas::HorizontalGradient(int x, int y, int w, int h, std::uint32_t left,
                                std::uint32_t right) {
  for (int xx = 0; xx < w; ++xx)
    Fill(x + xx, y, 1, h, Mix(left, right, xx * 256 / std::max(w, 1)));
}

void Canvas::Blend(int x, int y, std::uint32_t colour, int alpha) {
  if (x < 0 || y < 0 || x >= width || y >= height || alpha <= 0) return;
  std::uint32_t& p = pixels[std::size_t(y) * width + x];
  p = Mix(p, colour, std::min(alpha, 256));
}

void Canvas::Text(int x, int y, const char* text, std::uint32_t colour) {
  const auto& glyphs = Glyphs();
  for (; *text; ++text, x += kGlyphWidth) {
    const Glyph& g = glyphs[static_cast<unsigned char>(*text) & 0x7F];
    for (int gy = 0; gy < kGlyphHeight; ++gy)
      for (int gx = 0; gx < kGlyphWidth; ++gx)
        if (int a = g[gy * kGlyphWidth + gx]) Blend(x + gx, y + gy, colour, a + 1);
  }
}

void Canvas::Photo(int x, int y, int w, int h, unsigned seed) {
  for (int yy = 0; yy < h; ++yy) {
    for (int xx = 0; xx < w; ++xx) {
      double fx = double(xx) / w, fy = double(yy) / h;
      std::uint32_t n = Hash(seed ^ (yy * 7919u + xx * 104729u));
      int noise = int(n % 17) - 8;
      int r = int(90 + 120 * fy + 25 * std::sin(fx * 9 + fy * 3)) + noise;
      int g = int(140 + 60 * std::sin(fx * 4) - 40 * fy) + noise;
      int b = int(200 - 120 * fy + 30 * std::cos(fy * 11)) + noise;
      auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
      if (x + xx >= 0 && y + yy >= 0 && x + xx < width && y + yy < height)
        pixels[std::size_t(y + yy) * width + x + xx] = clamp(r) << 16 | clamp(g) << 8 | clamp(b);
    }
  }
}

void Canvas::Cursor(int x, int y) {
  // The standard arrow: a black outline around a white wedge.
  for (int row = 0; row < 17; ++row) {
    int span = row < 12 ? row : 12 - (row - 12);
    for (int col = 0; col <= span; ++col) {
      bool edge = col == 0 || col == span || row == 16;
      if (x + col < width && y + row < height && x + col >= 0 && y + row >= 0)
        pixels[std::size_t(y + row) * width + x + col] = edge ? 0x000000 : 0xFFFFFF;
    }
  }
}

Canvas DesktopFrame(int width, int height, int index) {
  Canvas c(width, height);
  c.VerticalGradient(0, 0, width, height, 0x1E3C6E, 0x4682AA);

  // Desktop icons with their names.
  for (int i = 0; i < 8; ++i) {
    int y = 20 + i * 90;
    std::uint32_t hue = Hash(i + 77) & 0xFFFFFF;
    c.VerticalGradient(26, y, 48, 48, hue | 0x404040, hue & 0x7F7F7F);
    c.Text(14, y + 54, Words(i + 300, 9).c_str(), 0xFFFFFF);
  }

  // Editor: one more typed character per frame, a new line every 48 characters.
  const WindowFrame editor{260, 90, 960, 640, "notes.txt - Editor", true};
  DrawWindow(c, editor, 0xFFFFFF);
  c.Fill(editor.x, editor.y + 30, editor.w, 24, 0xF0F0F0);
  c.Text(editor.x + 8, editor.y + 35, "File  Edit  Format  View  Help", 0x202020);
  c.Fill(editor.x, editor.y + 54, 44, editor.h - 54, 0xEDEDED);
  const int typedLines = 14 + index / 48, lastLength = index % 48;
  for (int line = 0; line <= typedLines && line < 32; ++line) {
    int y = editor.y + 60 + line * 18;
    char number[8];
    std::snprintf(number, sizeof number, "%3d", line + 1);
    c.Text(editor.x + 6, y, number, 0x808080);
    int length = line < typedLines ? 30 + Hash(line) % 70 : lastLength;
    c.Text(editor.x + 52, y, Words(line, length).c_str(), line % 5 == 0 ? 0x0000A0 : 0x101010);
    if (line == typedLines) c.Fill(editor.x + 52 + length * 8, y, 1, 15, 0x000000); // caret
  }

  // Browser behind on the right: scrolls by 40 px every 25 frames.
  const WindowFrame browser{1160, 160, 720, 760, "Project page - Browser", false};
  DrawWindow(c, browser, 0xFAFAFA);
  const int scroll = (index / 25) * 40;
  c.Fill(browser.x, browser.y + 30, browser.w, 36, 0xE4E4EA);
  c.Text(browser.x + 16, browser.y + 42, "https://example.org/project/docs", 0x303040);
  for (int y = browser.y + 70 - scroll, block = 0; y < browser.y + browser.h; ++block) {
    if (block % 4 == 1) {
      if (y + 200 > browser.y + 70)
        c.Photo(browser.x + 20, std::max(y, browser.y + 70), 320,
                std::min(200, y + 200 - std::max(y, browser.y + 70)), unsigned(block));
      y += 210;
    } else if (block % 4 == 3) {
      if (y >= browser.y + 70) c.Fill(browser.x + 20, y, browser.w - 40, 28, 0x3A6EA5);
      if (y >= browser.y + 70)
        c.Text(browser.x + 30, y + 7, Words(block + 900, 40).c_str(), 0xFFFFFF);
      y += 40;
    } else {
      for (int line = 0; line < 6; ++line, y += 18)
        if (y >= browser.y + 70 && y + 14 < browser.y + browser.h)
          c.Text(browser.x + 20, y, Words(block * 31 + line, 80).c_str(), 0x222222);
      y += 10;
    }
  }

  // Terminal: a new output line every 5 frames, scrolling when full.
  const WindowFrame terminal{120, 700, 700, 300, "Terminal", false};
  DrawWindow(c, terminal, 0x101010);
  const int produced = 6 + index / 5, visible = 14;
  for (int i = std::max(0, produced - visible), row = 0; i < produced; ++i, ++row)
    c.Text(terminal.x + 8, terminal.y + 36 + row * 18, Words(i + 5000, 60 + Hash(i) % 20).c_str(),
           i % 3 ? 0xC0C0C0 : 0x50E070);

  // Task bar with buttons and a clock that changes every 10 frames.
  c.Fill(0, height - 40, width, 40, 0x202028);
  c.Fill(6, height - 34, 60, 28, 0x3050A0);
  for (int i = 0; i < 4; ++i) {
    c.Fill(80 + i * 170, height - 34, 160, 28, i == 0 ? 0x505060 : 0x383844);
    c.Text(90 + i * 170, height - 27, Words(i + 700, 16).c_str(), 0xE0E0E0);
  }
  char clock[16];
  int minutes = 9 * 60 + 41 + index / 10;
  std::snprintf(clock, sizeof clock, "%02d:%02d", minutes / 60 % 24, minutes % 60);
  c.Text(width - 60, height - 27, clock, 0xFFFFFF);

  // The mouse drifts across the editor.
  c.Cursor(400 + (index * 7) % 700, 300 + (index * 3) % 400);
  return c;
}

std::vector<std::uint8_t> ToDib32(const Canvas& canvas) {
  std::vector<std::uint8_t> dib(std::size_t(canvas.width) * canvas.height * 4);
  for (int y = 0; y < canvas.height; ++y) {
    const std::uint32_t* row = &canvas.pixels[std::size_t(canvas.height - 1 - y) * canvas.width];
    std::uint8_t* out = &dib[std::size_t(y) * canvas.width * 4];
    for (int x = 0; x < canvas.width; ++x) {
      out[4 * x] = static_cast<std::uint8_t>(row[x]);
      out[4 * x + 1] = static_cast<std::uint8_t>(row[x] >> 8);
      out[4 * x + 2] = static_cast<std::uint8_t>(row[x] >> 16);
      out[4 * x + 3] = 0;
    }
  }
  return dib;
}

} // namespace msvideo1_bench
