#include "tools/skinpack/lzh_encoder.h"

#include "skin/data/core/lzh.h"
#include "skin/data/core/lzh_params.h"
#include "skin/data/core/lzh_tree.h"
#include "skin/data/core/skin_stream.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace skinpack {

namespace {

using namespace skin::lzh;

// MSB-first bit output; the last byte is padded with zero bits.
class BitWriter {
public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(std::uint32_t value, int count) {
    for (int bit = count - 1; bit >= 0; --bit) {
      pending_ = static_cast<std::uint8_t>((pending_ << 1) | ((value >> bit) & 1u));
      if (++pendingBits_ == 8) {
        out_.push_back(pending_);
        pending_ = 0;
        pendingBits_ = 0;
      }
    }
  }

  void Flush() {
    if (pendingBits_ > 0) out_.push_back(static_cast<std::uint8_t>(pending_ << (8 - pendingBits_)));
    pending_ = 0;
    pendingBits_ = 0;
  }

private:
  std::vector<std::uint8_t>& out_;
  std::uint8_t pending_ = 0;
  int pendingBits_ = 0;
};

struct Match {
  int length = 0;
  int distance = 0; // 1..kRingSize bytes back
};

// Finds the longest (then nearest) earlier occurrence within the dictionary through hash chains
// of 3-byte prefixes. The text starts with the decoder's initial history of spaces, so a skin
// that begins with spaces can refer to them.
class MatchFinder {
public:
  explicit MatchFinder(std::span<const std::uint8_t> text)
      : text_(text), head_(kHashSize, -1), previous_(text.size(), -1) {}

  void Insert(std::size_t pos) {
    if (pos + kMinMatch > text_.size()) return;
    const std::size_t hash = Hash(pos);
    previous_[pos] = head_[hash];
    head_[hash] = static_cast<std::int32_t>(pos);
  }

  Match Find(std::size_t pos) const {
    Match best;
    const std::size_t limit = std::min<std::size_t>(kMaxMatch, text_.size() - pos);
    if (limit < kMinMatch) return best;
    int chain = kMaxChain;
    for (std::int32_t candidate = head_[Hash(pos)]; candidate >= 0 && chain-- > 0;
         candidate = previous_[candidate]) {
      const std::size_t distance = pos - static_cast<std::size_t>(candidate);
      if (distance > kRingSize) break;
      std::size_t length = 0;
      while (length < limit && text_[candidate + length] == text_[pos + length])
        ++length;
      if (length > static_cast<std::size_t>(best.length)) {
        best = {static_cast<int>(length), static_cast<int>(distance)};
        if (length == limit) break;
      }
    }
    if (best.length < kMinMatch) best = {};
    return best;
  }

private:
  static constexpr std::size_t kHashSize = 1 << 15;
  static constexpr int kMaxChain = 1024;

  std::size_t Hash(std::size_t pos) const {
    const std::uint32_t key = static_cast<std::uint32_t>(text_[pos]) << 16 |
                              static_cast<std::uint32_t>(text_[pos + 1]) << 8 | text_[pos + 2];
    return (key * 2654435761u) >> (32 - 15);
  }

  std::span<const std::uint8_t> text_;
  std::vector<std::int32_t> head_;
  std::vector<std::int32_t> previous_;
};

class SymbolEncoder {
public:
  explicit SymbolEncoder(BitWriter& bits) : bits_(bits) {}

  void Symbol(int symbol) {
    // The path is found leaf to root and sent root to leaf.
    std::array<std::uint8_t, kNodeCount> path;
    int depth = 0;
    for (int node = tree_.LeafOf(symbol); node != kRoot;) {
      const int parent = tree_.Parent(node);
      path[depth++] = static_cast<std::uint8_t>(node - tree_.Child(parent));
      node = parent;
    }
    while (depth > 0)
      bits_.Put(path[--depth], 1);
    tree_.Update(symbol);
  }

  void Position(int position) {
    const int upper = position >> 6;
    const int code = CodeOfUpper(upper);
    const int length = kPositionCode.length[code];
    bits_.Put(static_cast<std::uint32_t>(code) >> (8 - length), length);
    bits_.Put(static_cast<std::uint32_t>(position) & 0x3F, 6);
  }

private:
  // The first byte value that decodes to `upper`: its top bits are the code of `upper`.
  static int CodeOfUpper(int upper) {
    const auto& table = kPositionCode.upper;
    return static_cast<int>(std::find(table.begin(), table.end(), upper) - table.begin());
  }

  BitWriter& bits_;
  skin::lzh::AdaptiveHuffmanTree tree_;
};

} // namespace

std::vector<std::uint8_t> EncodeLzh(std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> text(kRingStart + data.size(), kRingFill);
  std::copy(data.begin(), data.end(), text.begin() + kRingStart);

  std::vector<std::uint8_t> out;
  BitWriter bits(out);
  SymbolEncoder encoder(bits);
  MatchFinder finder(text);
  for (std::size_t pos = 0; pos < static_cast<std::size_t>(kRingStart); ++pos)
    finder.Insert(pos);

  std::size_t pos = kRingStart;
  while (pos < text.size()) {
    const Match match = finder.Find(pos);
    const std::size_t step = match.length > 0 ? static_cast<std::size_t>(match.length) : 1;
    if (match.length > 0) {
      encoder.Symbol(MatchSymbol(match.length));
      encoder.Position(match.distance - 1);
    } else {
      encoder.Symbol(text[pos]);
    }
    for (std::size_t i = 0; i < step; ++i)
      finder.Insert(pos + i);
    pos += step;
  }
  bits.Flush();
  return out;
}

std::vector<std::uint8_t> PackSkinFile(std::span<const std::uint8_t> archive) {
  if (archive.size() > static_cast<std::size_t>(skin::kMaxUnpackedSize)) {
    throw std::length_error("archive larger than a skin may unpack to");
  }
  std::vector<std::uint8_t> file;
  skin::AppendInt32LE(file, static_cast<std::int32_t>(archive.size()));
  const auto stream = EncodeLzh(archive);
  file.insert(file.end(), stream.begin(), stream.end());
  return file;
}

} // namespace skinpack
