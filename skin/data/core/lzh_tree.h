// The adaptive Huffman tree of the skin stream's literals and match lengths. The decoder walks it
// from the root down, the packer from a leaf up; both update it after every symbol so that their
// trees stay identical.
#pragma once

#include "skin/data/core/lzh_params.h"

#include <array>
#include <cstdint>

namespace skin::lzh {

// Nodes are kept in order of weight (the sibling property), so an update only swaps a node with
// the last one of its old weight. Children of an inner node sit side by side at child and
// child + 1; a child value of kNodeCount or more is a leaf holding symbol (value - kNodeCount).
class AdaptiveHuffmanTree {
public:
  AdaptiveHuffmanTree() { Reset(); }

  // Every symbol at weight 1, inner nodes built pairwise from the leaves.
  void Reset();

  // Counts one more occurrence of `symbol`. A tree whose root reached kMaxFreq is rebuilt with
  // halved weights first, so the weights always fit 16 bits.
  void Update(int symbol);

  int Child(int node) const { return FChild[node]; }
  int Parent(int node) const { return FParent[node]; }
  int LeafOf(int symbol) const { return FParent[symbol + kNodeCount]; }
  std::uint16_t Weight(int node) const { return FFreq[node]; }

private:
  void Rebuild();

  // One sentinel weight after the last node stops the search for a swap partner.
  std::array<std::uint16_t, kNodeCount + 1> FFreq{};
  // Parents of the nodes, then the leaf node of each symbol.
  std::array<std::uint16_t, kNodeCount + kSymbolCount> FParent{};
  std::array<std::uint16_t, kNodeCount> FChild{};
};

} // namespace skin::lzh
