#include "framework/core/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace fw {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kCoreHeaderBytes = 12;
constexpr std::size_t kInfoHeaderBytes = 40;
// A run-length image may leave most of its picture unset, so its size is not bounded by its data
// the way an uncompressed one is. Skin images are small; a picture of more pixels than this per
// coded byte is taken as a lying header rather than allocated.
constexpr std::int64_t kRunLengthPixelsPerByte = 4096;

[[noreturn]] void Invalid() {
  throw EInvalidGraphic(kInvalidBitmapMessage);
}

// Little-endian reads that refuse to leave the file.
class Reader {
public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  std::uint32_t U16(std::size_t at) const {
    Need(at, 2);
    return bytes_[at] | (std::uint32_t{bytes_[at + 1]} << 8);
  }
  std::uint8_t U8(std::size_t at) const {
    Need(at, 1);
    return bytes_[at];
  }
  void Need(std::size_t at, std::size_t count) const {
    if (at > bytes_.size() || count > bytes_.size() - at) Invalid();
  }
  std::size_t Size() const { return bytes_.size(); }
  const std::uint8_t* Data() const { return bytes_.data(); }

private:
  std::span<const std::uint8_t> bytes_;
};

// One colour channel given by a bit mask, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  std::uint32_t Of(std::uint32_t value) const {
    if (max == 0) return 0;
    return static_cast<std::uint32_t>((std::uint64_t{(value & mask) >> shift} * 255 + max / 2) /
                                      max);
  }
};

struct Header {
  int width = 0;
  int height = 0; // always positive here
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::size_t paletteAt = 0;
  std::size_t paletteEntryBytes = 4;
  std::uint32_t paletteCount = 0;
  std::uint32_t masks[3] = {0, 0, 0}; // red, green, blue
  std::size_t pixelsAt = 0;
};

// The depth goes with the compression: uncompressed at any depth Windows knows, run lengths at
// their own depth and bottom-up only, bit fields at 16 or 32 bits.
void CheckEncoding(const Header& h) {
  switch (h.compression) {
  case kBiRgb:
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 &&
        h.bitCount != 24 && h.bitCount != 32) {
      Invalid();
    }
    break;
  case kBiRle8:
    if (h.bitCount != 8 || h.topDown) Invalid();
    break;
  case kBiRle4:
    if (h.bitCount != 4 || h.topDown) Invalid();
    break;
  case kBiBitfields:
    if (h.bitCount != 16 && h.bitCount != 32) Invalid();
    break;
  default:
    Invalid();
  }
}

Header ReadHeader(const Reader& in) {
  if (in.U16(0) != 0x4D42) Invalid(); // "BM"
  Header h;
  const std::uint32_t infoBytes = in.U32(kFileHeaderBytes);
  const std::size_t infoAt = kFileHeaderBytes;
  std::int64_t height = 0;
  if (infoBytes == kCoreHeaderBytes) {
    h.width = static_cast<int>(in.U16(infoAt + 4));
    height = static_cast<std::int16_t>(in.U16(infoAt + 6));
    h.bitCount = static_cast<int>(in.U16(infoAt + 10));
    h.paletteEntryBytes = 3;
  } else if (infoBytes >= kInfoHeaderBytes && infoBytes <= 1024) {
    const auto width = static_cast<std::int32_t>(in.U32(infoAt + 4));
    height = static_cast<std::int32_t>(in.U32(infoAt + 8));
    if (width < 0) Invalid();
    h.width = width;
    h.bitCount = static_cast<int>(in.U16(infoAt + 14));
    h.compression = in.U32(infoAt + 16);
    h.paletteCount = in.U32(infoAt + 32);
  } else {
    Invalid();
  }
  if (in.U16(infoAt + (infoBytes == kCoreHeaderBytes ? 8 : 12)) != 1) Invalid(); // planes
  h.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (height > kMaxBitmapSide) throw EBitmapTooLarge();
  h.height = static_cast<int>(height);
  CheckBitmapSize(h.width, h.height);
  if (h.width == 0 || h.height == 0) Invalid();

  CheckEncoding(h);
  std::size_t afterHeader = infoAt + infoBytes;
  if (h.compression == kBiBitfields) {
    // A 40-byte header is followed by the three masks; larger headers hold them inside.
    for (int i = 0; i < 3; ++i)
      h.masks[i] = in.U32(infoAt + kInfoHeaderBytes + 4 * static_cast<std::size_t>(i));
    if (infoBytes == kInfoHeaderBytes) afterHeader += 12;
  } else if (h.bitCount == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.bitCount == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
  }

  if (h.bitCount <= 8) {
    const std::uint32_t full = 1u << h.bitCount;
    if (h.paletteCount == 0 || h.paletteCount > full) h.paletteCount = full;
    h.paletteAt = afterHeader;
    // Writers that store fewer entries than the depth allows say so only by where the pixels
    // start: read no entry from the pixel data.
    const std::uint32_t offBits = in.U32(10);
    if (offBits > h.paletteAt) {
      const auto room = static_cast<std::uint32_t>((offBits - h.paletteAt) / h.paletteEntryBytes);
      h.paletteCount = std::min(h.paletteCount, room);
    }
    in.Need(h.paletteAt, h.paletteCount * h.paletteEntryBytes);
  } else {
    h.paletteCount = 0;
  }

  const std::uint32_t offBits = in.U32(10);
  h.pixelsAt = offBits != 0 ? offBits : afterHeader + h.paletteCount * h.paletteEntryBytes;
  if (h.pixelsAt > in.Size()) Invalid();
  return h;
}

TPixelFormat FormatOf(const Header& h) {
  switch (h.bitCount) {
  case 1:
    return TPixelFormat::pf1bit;
  case 4:
    return TPixelFormat::pf4bit;
  case 8:
    return TPixelFormat::pf8bit;
  case 16:
    return h.masks[1] == 0x03E0 ? TPixelFormat::pf15bit : TPixelFormat::pf16bit;
  case 24:
    return TPixelFormat::pf24bit;
  default:
    return TPixelFormat::pf32bit;
  }
}

std::vector<Pixel> ReadPalette(const Reader& in, const Header& h) {
  std::vector<Pixel> palette(std::size_t{1} << std::min(h.bitCount, 8), 0);
  for (std::uint32_t i = 0; i < h.paletteCount; ++i) {
    const std::size_t at = h.paletteAt + i * h.paletteEntryBytes;
    palette[i] = RgbPixel(in.U8(at + 2), in.U8(at + 1), in.U8(at));
  }
  return palette;
}

// The picture row that file row `fileRow` fills.
int RowOf(const Header& h, int fileRow) {
  return h.topDown ? fileRow : h.height - 1 - fileRow;
}

void ReadUncompressed(const Reader& in, const Header& h, const std::vector<Pixel>& palette,
                      TBitmap& out) {
  const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
  // The last row need not be padded: only the bytes it uses must be present.
  const std::size_t lastRowBytes = (static_cast<std::size_t>(h.width) * h.bitCount + 7) / 8;
  in.Need(h.pixelsAt, stride * (static_cast<std::size_t>(h.height) - 1) + lastRowBytes);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (int fileRow = 0; fileRow < h.height; ++fileRow) {
    const std::uint8_t* row = in.Data() + h.pixelsAt + stride * static_cast<std::size_t>(fileRow);
    Pixel* line = out.ScanLine(RowOf(h, fileRow));
    for (int x = 0; x < h.width; ++x) {
      const auto ux = static_cast<std::size_t>(x);
      switch (h.bitCount) {
      case 1:
        line[x] = palette[(row[ux / 8] >> (7 - ux % 8)) & 1];
        break;
      case 4:
        line[x] = palette[(row[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0xF];
        break;
      case 8:
        line[x] = palette[row[ux]];
        break;
      case 24:
        line[x] = RgbPixel(row[3 * ux + 2], row[3 * ux + 1], row[3 * ux]);
        break;
      case 16:
      case 32: {
        std::uint32_t value = 0;
        const int bytes = h.bitCount / 8;
        for (int b = bytes - 1; b >= 0; --b)
          value = (value << 8) |
                  row[static_cast<std::size_t>(bytes) * ux + static_cast<std::size_t>(b)];
        line[x] = RgbPixel(static_cast<int>(red.Of(value)), static_cast<int>(green.Of(value)),
                           static_cast<int>(blue.Of(value)));
        break;
      }
      default:
        Invalid();
      }
    }
  }
}

// Run-length coded pixels, 8 or 4 bits each. The data may end early (the rest stays black);
// runs and deltas that leave the picture are clipped.
void ReadRunLength(const Reader& in, const Header& h, const std::vector<Pixel>& palette,
                   TBitmap& out) {
  const bool four = h.bitCount == 4;
  std::size_t at = h.pixelsAt;
  const std::size_t end = in.Size();
  int x = 0, fileRow = 0;
  auto put = [&](std::uint32_t index) {
    if (x < h.width && fileRow < h.height) out.At(x, RowOf(h, fileRow)) = palette[index];
    ++x;
  };
  while (at + 2 <= end && fileRow < h.height) {
    const std::uint8_t count = in.U8(at), value = in.U8(at + 1);
    at += 2;
    if (count > 0) { // encoded run
      for (int i = 0; i < count; ++i)
        put(four ? (i % 2 == 0 ? value >> 4 : value & 0xF) : value);
      continue;
    }
    if (value == 0) { // end of line
      x = 0;
      ++fileRow;
    } else if (value == 1) { // end of bitmap
      break;
    } else if (value == 2) { // delta
      if (at + 2 > end) break;
      x += in.U8(at);
      fileRow += in.U8(at + 1);
      at += 2;
    } else { // absolute run of `value` pixels, padded to a 16-bit boundary
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      const std::size_t available = std::min(bytes, end - at);
      for (int i = 0; i < value; ++i) {
        const std::size_t byte =
            four ? static_cast<std::size_t>(i) / 2 : static_cast<std::size_t>(i);
        if (byte >= available) break;
        const std::uint8_t b = in.U8(at + byte);
        put(four ? (i % 2 == 0 ? b >> 4 : b & 0xF) : b);
      }
      at += (bytes + 1) / 2 * 2;
    }
  }
}

} // namespace

TBitmap LoadBmp(std::span<const std::uint8_t> file) {
  const Reader in(file);
  const Header h = ReadHeader(in);
  const std::vector<Pixel> palette = h.bitCount <= 8 ? ReadPalette(in, h) : std::vector<Pixel>{};
  if (h.compression == kBiRgb || h.compression == kBiBitfields) {
    // Checked before allocating: the file must hold every row it declares.
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
    in.Need(h.pixelsAt, stride * (static_cast<std::size_t>(h.height) - 1) +
                            (static_cast<std::size_t>(h.width) * h.bitCount + 7) / 8);
  }
  if ((h.compression == kBiRle8 || h.compression == kBiRle4) &&
      std::int64_t{h.width} * h.height >
          kRunLengthPixelsPerByte * static_cast<std::int64_t>(in.Size() - h.pixelsAt + 1)) {
    Invalid();
  }
  TBitmap out(h.width, h.height, FormatOf(h));
  if (h.compression == kBiRle8 || h.compression == kBiRle4) {
    ReadRunLength(in, h, palette, out);
  } else {
    ReadUncompressed(in, h, palette, out);
  }
  return out;
}

} // namespace fw
