#include "skin/data/core/lzh_tree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

using namespace skin::lzh;

namespace {

// Checks the structure every coder relies on: weights sorted by node index, inner weights equal
// to the sum of their two children, parent and child links agreeing, one leaf per symbol.
void ExpectConsistent(const AdaptiveHuffmanTree& tree) {
  std::vector<int> leavesSeen(kSymbolCount, 0);
  for (int node = 0; node < kNodeCount; ++node) {
    if (node + 1 < kNodeCount) {
      ASSERT_LE(tree.Weight(node), tree.Weight(node + 1)) << node;
    }
    const int child = tree.Child(node);
    if (child >= kNodeCount) {
      const int symbol = child - kNodeCount;
      ASSERT_LT(symbol, kSymbolCount);
      ++leavesSeen[symbol];
      ASSERT_EQ(tree.LeafOf(symbol), node);
    } else {
      ASSERT_EQ(tree.Weight(node), tree.Weight(child) + tree.Weight(child + 1)) << node;
      ASSERT_EQ(tree.Parent(child), node);
      ASSERT_EQ(tree.Parent(child + 1), node);
    }
  }
  for (int count : leavesSeen)
    ASSERT_EQ(count, 1);
  ASSERT_EQ(tree.Parent(kRoot), 0);
}

// Symbols with a skewed distribution, like bitmap data: a few values very often.
std::vector<int> SkewedSymbols(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::geometric_distribution<int> pick(0.08);
  std::vector<int> symbols(count);
  for (int& symbol : symbols)
    symbol = pick(random) % kSymbolCount;
  return symbols;
}

} // namespace

TEST(AdaptiveHuffmanTree, StartsWithEveryLeafAtWeightOneAndPairwiseInnerNodes) {
  AdaptiveHuffmanTree tree;
  ExpectConsistent(tree);
  EXPECT_EQ(tree.Weight(kRoot), kSymbolCount);
  for (int symbol = 0; symbol < kSymbolCount; ++symbol) {
    EXPECT_EQ(tree.LeafOf(symbol), symbol);
    EXPECT_EQ(tree.Parent(symbol), kSymbolCount + symbol / 2);
  }
}

TEST(AdaptiveHuffmanTree, StaysConsistentThroughUpdatesAndRebuilds) {
  AdaptiveHuffmanTree tree;
  const auto symbols = SkewedSymbols(3 * kMaxFreq, 7);
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    tree.Update(symbols[i]);
    if (i % 997 == 0) {
      ASSERT_NO_FATAL_FAILURE(ExpectConsistent(tree));
    }
    ASSERT_LE(tree.Weight(kRoot), kMaxFreq);
  }
  ExpectConsistent(tree);
}

// Leaf weights follow a simple model: +1 per occurrence, and all halved (rounding up) once the
// total reached kMaxFreq, before the symbol that finds it there is counted.
TEST(AdaptiveHuffmanTree, RebuildsAtMaxFreqBeforeRaisingTheWeight) {
  AdaptiveHuffmanTree tree;
  std::vector<std::uint32_t> weights(kSymbolCount, 1);
  std::uint32_t total = kSymbolCount;
  int rebuilds = 0;
  for (int symbol : SkewedSymbols(5 * kMaxFreq, 11)) {
    const bool rebuildDue = tree.Weight(kRoot) == kMaxFreq;
    ASSERT_EQ(rebuildDue, total == kMaxFreq);
    if (total == kMaxFreq) {
      for (auto& weight : weights)
        weight = (weight + 1) / 2;
      total = std::accumulate(weights.begin(), weights.end(), 0u);
      ++rebuilds;
    }
    ++weights[symbol];
    ++total;
    tree.Update(symbol);
    if (rebuildDue) {
      // The symbol that triggered the rebuild counts after the halving.
      ASSERT_EQ(tree.Weight(tree.LeafOf(symbol)), weights[symbol]);
      ASSERT_EQ(tree.Weight(kRoot), total);
      ASSERT_NO_FATAL_FAILURE(ExpectConsistent(tree));
    }
  }
  EXPECT_GE(rebuilds, 3);
  for (int symbol = 0; symbol < kSymbolCount; ++symbol) {
    EXPECT_EQ(tree.Weight(tree.LeafOf(symbol)), weights[symbol]) << symbol;
  }
}
