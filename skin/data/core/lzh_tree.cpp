#include "skin/data/core/lzh_tree.h"

#include <algorithm>

namespace skin::lzh {

namespace {
constexpr std::uint16_t kSentinelWeight = 0xFFFF;
}

void AdaptiveHuffmanTree::Reset() {
  for (int leaf = 0; leaf < kSymbolCount; ++leaf) {
    FFreq[leaf] = 1;
    FChild[leaf] = static_cast<std::uint16_t>(leaf + kNodeCount);
    FParent[leaf + kNodeCount] = static_cast<std::uint16_t>(leaf);
  }
  for (int first = 0, node = kSymbolCount; node < kNodeCount; first += 2, ++node) {
    FFreq[node] = static_cast<std::uint16_t>(FFreq[first] + FFreq[first + 1]);
    FChild[node] = static_cast<std::uint16_t>(first);
    FParent[first] = FParent[first + 1] = static_cast<std::uint16_t>(node);
  }
  FFreq[kNodeCount] = kSentinelWeight;
  FParent[kRoot] = 0;
}

void AdaptiveHuffmanTree::Rebuild() {
  // Leaves move to the front in their current order, which is already sorted by weight.
  int leaves = 0;
  for (int node = 0; node < kNodeCount; ++node) {
    if (FChild[node] >= kNodeCount) {
      FFreq[leaves] = static_cast<std::uint16_t>((FFreq[node] + 1) / 2);
      FChild[leaves] = FChild[node];
      ++leaves;
    }
  }
  // Each new inner node joins the next two nodes and is inserted after every node of equal or
  // smaller weight; the nodes it joins lie before the insertion point and never move.
  for (int first = 0, node = kSymbolCount; node < kNodeCount; first += 2, ++node) {
    const auto weight = static_cast<std::uint16_t>(FFreq[first] + FFreq[first + 1]);
    int place = node;
    while (weight < FFreq[place - 1])
      --place;
    std::copy_backward(FFreq.begin() + place, FFreq.begin() + node, FFreq.begin() + node + 1);
    std::copy_backward(FChild.begin() + place, FChild.begin() + node, FChild.begin() + node + 1);
    FFreq[place] = weight;
    FChild[place] = static_cast<std::uint16_t>(first);
  }
  for (int node = 0; node < kNodeCount; ++node) {
    const int child = FChild[node];
    FParent[child] = static_cast<std::uint16_t>(node);
    if (child < kNodeCount) FParent[child + 1] = static_cast<std::uint16_t>(node);
  }
}

void AdaptiveHuffmanTree::Update(int symbol) {
  if (FFreq[kRoot] == kMaxFreq) Rebuild();
  int node = FParent[symbol + kNodeCount];
  do {
    const std::uint16_t weight = ++FFreq[node];
    if (weight > FFreq[node + 1]) {
      // Swap with the last node still lighter than the new weight, keeping the order.
      int last = node + 1;
      while (weight > FFreq[last + 1])
        ++last;
      FFreq[node] = FFreq[last];
      FFreq[last] = weight;

      const int movedDown = FChild[node];
      FParent[movedDown] = static_cast<std::uint16_t>(last);
      if (movedDown < kNodeCount) FParent[movedDown + 1] = static_cast<std::uint16_t>(last);

      const int movedUp = FChild[last];
      FParent[movedUp] = static_cast<std::uint16_t>(node);
      if (movedUp < kNodeCount) FParent[movedUp + 1] = static_cast<std::uint16_t>(node);

      FChild[last] = static_cast<std::uint16_t>(movedDown);
      FChild[node] = static_cast<std::uint16_t>(movedUp);
      node = last;
    }
    node = FParent[node];
  } while (node != 0);
}

} // namespace skin::lzh
