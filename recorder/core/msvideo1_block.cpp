#include "recorder/core/msvideo1_block.h"

#include <bit>
#include <utility>

namespace recorder::msvideo1 {
namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// The block's components apart, so that the distance loops run over plain integer arrays.
struct Planes {
  std::array<int, 16> r, g, b;
};

Planes SplitPlanes(const BlockPixels& px) {
  Planes p;
  for (int i = 0; i < 16; ++i) {
    p.r[i] = Red5(px[i]);
    p.g[i] = Green5(px[i]);
    p.b[i] = Blue5(px[i]);
  }
  return p;
}

Rgb555 Pack(const Rgb& c) {
  return MakeRgb555(c.r, c.g, c.b);
}

int RoundedMean(int sum, int count) {
  return (2 * sum + count) / (2 * count);
}

int Distance(const Planes& p, int i, const Rgb& c) {
  int dr = p.r[i] - c.r, dg = p.g[i] - c.g, db = p.b[i] - c.b;
  return dr * dr + dg * dg + db * db;
}

struct PairFit {
  Rgb first, second;
  std::uint16_t mask = 0; // bit set: the pixel takes `first`
  int error = 0;
};

// Gives every pixel the nearer of the two colours; the mask and error are what the decoder
// will really show, since the colours are already the quantised ones.
PairFit AssignToNearer(const Planes& p, const int* indices, int count, const Rgb& first,
                       const Rgb& second) {
  PairFit fit{first, second, 0, 0};
  for (int k = 0; k < count; ++k) {
    int i = indices[k];
    int toFirst = Distance(p, i, first), toSecond = Distance(p, i, second);
    if (toFirst < toSecond) {
      fit.mask = static_cast<std::uint16_t>(fit.mask | 1u << i);
      fit.error += toFirst;
    } else {
      fit.error += toSecond;
    }
  }
  return fit;
}

// Rounded means of the pixels inside and outside `mask`; an empty side takes the other's mean.
void MeansOfSplit(const Planes& p, const int* indices, int count, std::uint16_t mask, Rgb& first,
                  Rgb& second) {
  Rgb in, out;
  int inCount = 0;
  for (int k = 0; k < count; ++k) {
    int i = indices[k];
    Rgb& side = (mask >> i) & 1 ? in : out;
    side.r += p.r[i];
    side.g += p.g[i];
    side.b += p.b[i];
    inCount += (mask >> i) & 1;
  }
  int outCount = count - inCount;
  if (inCount == 0 || outCount == 0) {
    Rgb all{in.r + out.r, in.g + out.g, in.b + out.b};
    first =
        second = {RoundedMean(all.r, count), RoundedMean(all.g, count), RoundedMean(all.b, count)};
    return;
  }
  first = {RoundedMean(in.r, inCount), RoundedMean(in.g, inCount), RoundedMean(in.b, inCount)};
  second = {RoundedMean(out.r, outCount), RoundedMean(out.g, outCount),
            RoundedMean(out.b, outCount)};
}

constexpr int kAllPixels[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// Two colours for the whole block: a split across the widest component's middle, improved by
// two rounds of moving each pixel to the nearer mean (k-means with k = 2).
PairFit FitTwoColours(const Planes& p) {
  int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
  for (int i = 0; i < 16; ++i) {
    int v[3] = {p.r[i], p.g[i], p.b[i]};
    for (int c = 0; c < 3; ++c) {
      lo[c] = v[c] < lo[c] ? v[c] : lo[c];
      hi[c] = v[c] > hi[c] ? v[c] : hi[c];
    }
  }
  int widest = 0;
  for (int c = 1; c < 3; ++c)
    if (hi[c] - lo[c] > hi[widest] - lo[widest]) widest = c;
  const std::array<int, 16>& axis = widest == 0 ? p.r : widest == 1 ? p.g : p.b;
  int middle2 = lo[widest] + hi[widest];
  std::uint16_t mask = 0;
  for (int i = 0; i < 16; ++i)
    if (2 * axis[i] > middle2) mask = static_cast<std::uint16_t>(mask | 1u << i);

  PairFit best;
  best.error = kMaxBlockError + 1;
  for (int round = 0; round < 2; ++round) {
    Rgb first, second;
    MeansOfSplit(p, kAllPixels, 16, mask, first, second);
    PairFit fit = AssignToNearer(p, kAllPixels, 16, first, second);
    if (fit.error < best.error) best = fit;
    if (fit.mask == mask) break;
    mask = fit.mask;
  }
  return best;
}

constexpr int kQuadrants[4][4] = {{0, 1, 4, 5}, {2, 3, 6, 7}, {8, 9, 12, 13}, {10, 11, 14, 15}};

// The best split of a quadrant's four pixels into two groups, found by trying all seven: the one
// that leaves the least squared error around the group means, i.e. the largest sum of
// (group sum)² / (group size). Sizes 1..3 are weighed by 6 / size to stay in integers.
PairFit FitQuadrant(const Planes& p, const int* indices) {
  static constexpr std::uint8_t kSplits[7] = {1, 2, 4, 8, 3, 5, 9};
  static constexpr int kWeight[4] = {0, 6, 3, 2};
  int total[3] = {0, 0, 0};
  for (int k = 0; k < 4; ++k) {
    total[0] += p.r[indices[k]];
    total[1] += p.g[indices[k]];
    total[2] += p.b[indices[k]];
  }
  int bestScore = -1;
  std::uint8_t bestSplit = 1;
  for (std::uint8_t split : kSplits) {
    int in[3] = {0, 0, 0};
    for (int k = 0; k < 4; ++k) {
      if ((split >> k) & 1) {
        in[0] += p.r[indices[k]];
        in[1] += p.g[indices[k]];
        in[2] += p.b[indices[k]];
      }
    }
    int inCount = std::popcount(split);
    int wIn = kWeight[inCount], wOut = kWeight[4 - inCount];
    int score = 0;
    for (int c = 0; c < 3; ++c) {
      int out = total[c] - in[c];
      score += in[c] * in[c] * wIn + out * out * wOut;
    }
    if (score > bestScore) {
      bestScore = score;
      bestSplit = split;
    }
  }
  std::uint16_t mask = 0;
  for (int k = 0; k < 4; ++k)
    if ((bestSplit >> k) & 1) mask = static_cast<std::uint16_t>(mask | 1u << indices[k]);
  Rgb first, second;
  MeansOfSplit(p, indices, 4, mask, first, second);
  return AssignToNearer(p, indices, 4, first, second);
}

BlockCode FillCode(const Planes& p) {
  int sum[3] = {0, 0, 0}, squares[3] = {0, 0, 0};
  for (int i = 0; i < 16; ++i) {
    sum[0] += p.r[i];
    sum[1] += p.g[i];
    sum[2] += p.b[i];
    squares[0] += p.r[i] * p.r[i];
    squares[1] += p.g[i] * p.g[i];
    squares[2] += p.b[i] * p.b[i];
  }
  int mean[3];
  BlockCode code;
  code.mode = BlockMode::Fill;
  for (int c = 0; c < 3; ++c) {
    mean[c] = RoundedMean(sum[c], 16);
    // Σ(v − m)² without a second pass over the pixels.
    code.error += squares[c] - 2 * mean[c] * sum[c] + 16 * mean[c] * mean[c];
  }
  code.colours[0] = MakeRgb555(mean[0], mean[1], mean[2]);
  return code;
}

BlockCode TwoColourCode(const Planes& p) {
  PairFit fit = FitTwoColours(p);
  BlockCode code;
  code.mode = BlockMode::TwoColour;
  code.mask = fit.mask;
  code.colours[0] = Pack(fit.first);
  code.colours[1] = Pack(fit.second);
  code.error = fit.error;
  return code;
}

BlockCode EightColourCode(const Planes& p) {
  BlockCode code;
  code.mode = BlockMode::EightColour;
  for (int q = 0; q < 4; ++q) {
    PairFit fit = FitQuadrant(p, kQuadrants[q]);
    code.mask = static_cast<std::uint16_t>(code.mask | fit.mask);
    code.colours[2 * q] = Pack(fit.first);
    code.colours[2 * q + 1] = Pack(fit.second);
    code.error += fit.error;
  }
  return code;
}

int SkipError(const BlockPixels& source, const BlockPixels& previous) {
  int error = 0;
  for (int i = 0; i < 16; ++i) {
    int dr = Red5(source[i]) - Red5(previous[i]);
    int dg = Green5(source[i]) - Green5(previous[i]);
    int db = Blue5(source[i]) - Blue5(previous[i]);
    error += dr * dr + dg * dg + db * db;
  }
  return error;
}

void PutWord(std::uint8_t*& out, std::uint16_t word) {
  out[0] = static_cast<std::uint8_t>(word & 0xFF);
  out[1] = static_cast<std::uint8_t>(word >> 8);
  out += 2;
}

constexpr std::uint16_t kTopRightPixel = 0x8000;
constexpr std::uint16_t kTopRightQuadrant = 0xCC00; // pixels 10, 11, 14, 15
constexpr std::uint16_t kColourBits = 0x7FFF;
constexpr std::uint16_t kEightColourFlag = 0x8000;

} // namespace

BlockCode ChooseBlockCode(const BlockPixels& source, const BlockPixels* previous,
                          int allowedError) {
  // Candidates from cheapest to dearest: skip (a share of one word), fill (one word), two colours
  // (three words), eight colours (nine words). The first within the allowance wins.
  BlockCode best;
  best.error = kMaxBlockError + 1;
  if (previous) {
    best.mode = BlockMode::Skip;
    best.error = source == *previous ? 0 : SkipError(source, *previous);
    if (best.error <= allowedError) return best;
  }
  Planes planes = SplitPlanes(source);
  BlockCode fill = FillCode(planes);
  if (fill.error <= allowedError) return fill;
  if (fill.error < best.error) best = fill;
  BlockCode two = TwoColourCode(planes);
  if (two.error <= allowedError) return two;
  if (two.error < best.error) best = two;
  BlockCode eight = EightColourCode(planes);
  if (eight.error <= allowedError) return eight;
  if (eight.error < best.error) best = eight;
  return best;
}

void DecodeBlock(const BlockCode& code, BlockPixels& out) {
  switch (code.mode) {
  case BlockMode::Skip:
    break;
  case BlockMode::Fill:
    out.fill(code.colours[0]);
    break;
  case BlockMode::TwoColour:
    for (int i = 0; i < 16; ++i)
      out[i] = code.colours[(code.mask >> i) & 1 ? 0 : 1];
    break;
  case BlockMode::EightColour:
    for (int q = 0; q < 4; ++q)
      for (int i : kQuadrants[q])
        out[i] = code.colours[2 * q + ((code.mask >> i) & 1 ? 0 : 1)];
    break;
  }
}

std::size_t WriteBlock(const BlockCode& code, std::uint8_t* out) {
  std::uint8_t* start = out;
  // A mask word is recognised by its top bit being clear, so the top-right pixel must take the
  // second colour of its pair: when it does not, the pair is swapped and its bits inverted.
  switch (code.mode) {
  case BlockMode::Skip:
    break;
  case BlockMode::Fill: {
    Rgb555 colour = code.colours[0] & kColourBits;
    // A fill word with red = 1 has the high byte 0x84..0x87, which decoders read as a skip
    // count; such a block goes out as two equal colours instead.
    if (Red5(colour) == 1) {
      PutWord(out, 0);
      PutWord(out, colour);
      PutWord(out, colour);
    } else {
      PutWord(out, static_cast<std::uint16_t>(colour | 0x8000));
    }
    break;
  }
  case BlockMode::TwoColour: {
    std::uint16_t mask = code.mask;
    Rgb555 first = code.colours[0], second = code.colours[1];
    if (mask & kTopRightPixel) {
      mask = static_cast<std::uint16_t>(~mask);
      std::swap(first, second);
    }
    PutWord(out, mask);
    PutWord(out, first & kColourBits); // a set top bit would announce eight colours
    PutWord(out, second & kColourBits);
    break;
  }
  case BlockMode::EightColour: {
    std::uint16_t mask = code.mask;
    std::array<Rgb555, 8> colours = code.colours;
    if (mask & kTopRightPixel) {
      mask ^= kTopRightQuadrant;
      std::swap(colours[6], colours[7]);
    }
    PutWord(out, mask);
    PutWord(out, static_cast<std::uint16_t>(colours[0] | kEightColourFlag));
    for (int k = 1; k < 8; ++k)
      PutWord(out, colours[k] & kColourBits);
    break;
  }
  }
  return static_cast<std::size_t>(out - start);
}

} // namespace recorder::msvideo1
