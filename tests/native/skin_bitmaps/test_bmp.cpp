#include "test_bmp.h"

#include <sstream>

namespace bmptest {

namespace {

void Put(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

Bytes BmpFile::Build() const {
  Bytes header;
  const bool core = infoBytes == 12;
  const std::size_t paletteBytes = palette.size() * (core ? 3 : 4);
  const std::size_t offBits = 14 + infoBytes + masks.size() * 4 + paletteBytes;
  header.push_back('B');
  header.push_back('M');
  Put(header, static_cast<std::uint32_t>(offBits + pixels.size()), 4);
  Put(header, 0, 4);
  Put(header, static_cast<std::uint32_t>(static_cast<std::int64_t>(offBits) + offBitsAdjust), 4);
  Put(header, infoBytes, 4);
  if (core) {
    Put(header, static_cast<std::uint32_t>(width), 2);
    Put(header, static_cast<std::uint32_t>(height), 2);
    Put(header, 1, 2);
    Put(header, static_cast<std::uint32_t>(bitCount), 2);
  } else {
    Put(header, static_cast<std::uint32_t>(width), 4);
    Put(header, static_cast<std::uint32_t>(height), 4);
    Put(header, 1, 2);
    Put(header, static_cast<std::uint32_t>(bitCount), 2);
    Put(header, compression, 4);
    Put(header, static_cast<std::uint32_t>(pixels.size()), 4);
    Put(header, 2835, 4);
    Put(header, 2835, 4);
    Put(header, paletteCount, 4);
    Put(header, 0, 4);
    for (std::uint32_t i = 40; i < infoBytes; ++i)
      header.push_back(0);
  }
  for (std::uint32_t mask : masks)
    Put(header, mask, 4);
  for (fw::Pixel p : palette) {
    Put(header, p & 0xFFFFFF, 3);
    if (!core) header.push_back(0);
  }
  header.insert(header.end(), pixels.begin(), pixels.end());
  return header;
}

Bytes Rows(std::initializer_list<Bytes> rows) {
  Bytes out;
  for (const Bytes& row : rows) {
    out.insert(out.end(), row.begin(), row.end());
    while (out.size() % 4 != 0)
      out.push_back(0);
  }
  return out;
}

Bytes Bmp24Of(const fw::TBitmap& image) {
  BmpFile file;
  file.width = image.Width();
  file.height = image.Height();
  for (int y = image.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.Width(); ++x)
      Put(file.pixels, image.At(x, y), 3);
    while (file.pixels.size() % 4 != 0)
      file.pixels.push_back(0);
  }
  return file.Build();
}

std::string Describe(const fw::TBitmap& image) {
  std::ostringstream text;
  text << image.Width() << "x" << image.Height() << ":";
  for (int y = 0; y < image.Height(); ++y) {
    text << "\n";
    for (int x = 0; x < image.Width(); ++x)
      text << std::hex << image.At(x, y) << " ";
  }
  return text.str();
}

fw::Pixel CoordinatePixel(int x, int y) {
  return fw::RgbPixel(x, y, 0x40 + (x ^ y) % 64);
}

fw::TBitmap CoordinateImage(int width, int height) {
  fw::TBitmap image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.At(x, y) = CoordinatePixel(x, y);
  return image;
}

} // namespace bmptest
