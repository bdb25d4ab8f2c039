#include "tests/native/msvideo1/support/test_pictures.h"

#include <cmath>
#include <map>
#include <random>

namespace msvideo1_test {
namespace {

int Widen(int v5) {
  return (v5 << 3) | (v5 >> 2);
}

int Nearest5(int v8) {
  int best = 0;
  for (int v5 = 1; v5 < 32; ++v5)
    if (std::abs(Widen(v5) - v8) < std::abs(Widen(best) - v8)) best = v5;
  return best;
}

std::uint8_t ToByte(int v) {
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

} // namespace

Rgb8 Exact555(int r5, int g5, int b5) {
  return {ToByte(Widen(r5)), ToByte(Widen(g5)), ToByte(Widen(b5))};
}

Picture Quantized555(const Picture& picture) {
  Picture out = picture;
  for (Rgb8& p : out.pixels)
    p = Exact555(Nearest5(p.r), Nearest5(p.g), Nearest5(p.b));
  return out;
}

Picture FlatPicture(int width, int height, Rgb8 colour) {
  return Picture(width, height, colour);
}

Picture TwoColourPicture(int width, int height, Rgb8 first, Rgb8 second, unsigned seed) {
  std::mt19937 random(seed);
  Picture p(width, height);
  for (Rgb8& px : p.pixels)
    px = (random() & 1) ? first : second;
  return p;
}

Picture QuadrantPicture(int width, int height, int poolSize, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Rgb8> pool;
  for (int i = 0; i < poolSize; ++i)
    pool.push_back(Exact555(random() % 32, random() % 32, random() % 32));
  auto colour = [&] { return pool[random() % pool.size()]; };
  Picture p(width, height);
  for (int qy = 0; qy < height; qy += 2) {
    for (int qx = 0; qx < width; qx += 2) {
      Rgb8 a = colour(), b = colour();
      for (int y = qy; y < qy + 2; ++y)
        for (int x = qx; x < qx + 2; ++x)
          p.At(x, y) = (random() & 1) ? a : b;
    }
  }
  return p;
}

Picture NaturalPicture(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0.0, 6.0);
  Picture p(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double fx = double(x) / width, fy = double(y) / height;
      p.At(x, y) = {ToByte(int(255 * fx + noise(random))),
                    ToByte(int(128 + 100 * std::sin(6.0 * fy + 3.0 * fx) + noise(random))),
                    ToByte(int(255 * (1 - fy) * fx + noise(random)))};
    }
  }
  return p;
}

Picture PosterisedPicture(int width, int height, unsigned seed) {
  Picture p = NaturalPicture(width, height, seed);
  auto level = [](std::uint8_t v) { return static_cast<std::uint8_t>((v * 6 / 256) * 51); };
  for (Rgb8& px : p.pixels)
    px = {level(px.r), level(px.g), level(px.b)};
  return p;
}

std::optional<Dib> ToDib(const Picture& picture, int bitsPerPixel) {
  Dib dib;
  dib.bitsPerPixel = bitsPerPixel;
  const std::size_t stride = ((std::size_t(picture.width) * bitsPerPixel + 31) / 32) * 4;
  dib.pixels.assign(stride * picture.height, 0);
  std::map<std::uint32_t, std::uint8_t> index;
  for (int y = 0; y < picture.height; ++y) {
    std::uint8_t* row = dib.pixels.data() + y * stride;
    for (int x = 0; x < picture.width; ++x) {
      const Rgb8& c = picture.At(x, y);
      switch (bitsPerPixel) {
      case 32:
        row[4 * x + 3] = 0;
        [[fallthrough]];
      case 24: {
        std::uint8_t* px = row + x * (bitsPerPixel / 8);
        px[0] = c.b;
        px[1] = c.g;
        px[2] = c.r;
        break;
      }
      case 16: {
        int v = Nearest5(c.r) << 10 | Nearest5(c.g) << 5 | Nearest5(c.b);
        row[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
        row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        break;
      }
      case 8: {
        std::uint32_t key = std::uint32_t(c.r) << 16 | c.g << 8 | c.b;
        auto found = index.find(key);
        if (found == index.end()) {
          if (index.size() == 256) return std::nullopt;
          found = index.emplace(key, static_cast<std::uint8_t>(index.size())).first;
          dib.colourTable.insert(dib.colourTable.end(), {c.b, c.g, c.r, 0});
        }
        row[x] = found->second;
        break;
      }
      default:
        return std::nullopt;
      }
    }
  }
  return dib;
}

Picture FromTopDownRgb24(const std::vector<std::uint8_t>& bytes, int width, int height) {
  Picture p(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes.data() + std::size_t(height - 1 - y) * width * 3;
    for (int x = 0; x < width; ++x)
      p.At(x, y) = {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
  }
  return p;
}

std::vector<int> BlockErrors555(const Picture& shown, const Picture& source) {
  std::vector<int> errors;
  for (int by = 0; by + 4 <= source.height; by += 4) {
    for (int bx = 0; bx + 4 <= source.width; bx += 4) {
      int sum = 0;
      for (int y = by; y < by + 4; ++y) {
        for (int x = bx; x < bx + 4; ++x) {
          const Rgb8 &a = shown.At(x, y), &b = source.At(x, y);
          int dr = Nearest5(a.r) - Nearest5(b.r), dg = Nearest5(a.g) - Nearest5(b.g),
              db = Nearest5(a.b) - Nearest5(b.b);
          sum += dr * dr + dg * dg + db * db;
        }
      }
      errors.push_back(sum);
    }
  }
  return errors;
}

double Psnr(const Picture& a, const Picture& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
    int dr = a.pixels[i].r - b.pixels[i].r, dg = a.pixels[i].g - b.pixels[i].g,
        db = a.pixels[i].b - b.pixels[i].b;
    sum += dr * dr + dg * dg + db * db;
  }
  if (sum == 0) return 99.0;
  double mse = sum / (3.0 * a.pixels.size());
  return 10.0 * std::log10(255.0 * 255.0 / mse);
}

} // namespace msvideo1_test
