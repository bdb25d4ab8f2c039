#include "skin/data/core/lzh_tree.h"

#include <algorithm>

namespace skin::lzh {

namespace {
constexpr std::uint16_t kSentinelWeight = 0xFFFF;
}

void AdaptiveHuffmanTree::Reset() {
  for (int leaf = 0; leaf < kSymbolCount; ++leaf) {
    freq_[leaf] = 1;
    child_[leaf] = static_cast<std::uint16_t>(leaf + kNodeCount);
    parent_[leaf + kNodeCount] = static_cast<std::uint16_t>(leaf);
  }
  for (int first = 0, node = kSymbolCount; node < kNodeCount; first += 2, ++node) {
    freq_[node] = static_cast<std::uint16_t>(freq_[first] + freq_[first + 1]);
    child_[node] = static_cast<std::uint16_t>(first);
    parent_[first] = parent_[first + 1] = static_cast<std::uint16_t>(node);
  }
  freq_[kNodeCount] = kSentinelWeight;
  parent_[kRoot] = 0;
}

void AdaptiveHuffmanTree::Rebuild() {
  // Leaves move to the front in their current order, which is already sorted by weight.
  int leaves = 0;
  for (int node = 0; node < kNodeCount; ++node) {
    if (child_[node] >= kNodeCount) {
      freq_[leaves] = static_cast<std::uint16_t>((freq_[node] + 1) / 2);
      child_[leaves] = child_[node];
      ++leaves;
    }
  }
  // Each new inner node joins the next two nodes and is inserted after every node of equal or
  // smaller weight; the nodes it joins lie before the insertion point and never move.
  for (int first = 0, node = kSymbolCount; node < kNodeCount; first += 2, ++node) {
    const auto weight = static_cast<std::uint16_t>(freq_[first] + freq_[first + 1]);
    int place = node;
    while (weight < freq_[place - 1])
      --place;
    std::copy_backward(freq_.begin() + place, freq_.begin() + node, freq_.begin() + node + 1);
    std::copy_backward(child_.begin() + place, child_.begin() + node, child_.begin() + node + 1);
    freq_[place] = weight;
    child_[place] = static_cast<std::uint16_t>(first);
  }
  for (int node = 0; node < kNodeCount; ++node) {
    const int child = child_[node];
    parent_[child] = static_cast<std::uint16_t>(node);
    if (child < kNodeCount) parent_[child + 1] = static_cast<std::uint16_t>(node);
  }
}

void AdaptiveHuffmanTree::Update(int symbol) {
  if (freq_[kRoot] == kMaxFreq) Rebuild();
  int node = parent_[symbol + kNodeCount];
  do {
    const std::uint16_t weight = ++freq_[node];
    if (weight > freq_[node + 1]) {
      // Swap with the last node still lighter than the new weight, keeping the order.
      int last = node + 1;
      while (weight > freq_[last + 1])
        ++last;
      freq_[node] = freq_[last];
      freq_[last] = weight;

      const int movedDown = child_[node];
      parent_[movedDown] = static_cast<std::uint16_t>(last);
      if (movedDown < kNodeCount) parent_[movedDown + 1] = static_cast<std::uint16_t>(last);

      const int movedUp = child_[last];
      parent_[movedUp] = static_cast<std::uint16_t>(node);
      if (movedUp < kNodeCount) parent_[movedUp + 1] = static_cast<std::uint16_t>(node);

      child_[last] = static_cast<std::uint16_t>(movedDown);
      child_[node] = static_cast<std::uint16_t>(movedUp);
      node = last;
    }
    node = parent_[node];
  } while (node != 0);
}

} // namespace skin::lzh
