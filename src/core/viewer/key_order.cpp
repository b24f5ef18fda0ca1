#include "core/viewer/key_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

namespace noemie::viewer {
namespace {

// Below this many rows, a comparison sort is quicker than the radix passes.
constexpr std::ptrdiff_t kRadixFrom = 512;

}  // namespace

std::uint64_t ordered_key(double value) {
  if (value == 0.0) value = 0.0;  // -0.0 sorts with +0.0
  const auto bits = std::bit_cast<std::uint64_t>(value);
  constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
  // Negative values: all bits flipped, so that larger magnitudes come first; positive ones:
  // the sign bit set, so that they come after every negative one.
  return (bits & kSign) != 0 ? ~bits : bits | kSign;
}

void stable_sort_by_key(KeyedRow* first, KeyedRow* last) {
  const std::ptrdiff_t n = last - first;
  if (n < 2) return;
  if (n < kRadixFrom) {
    std::stable_sort(first, last,
                     [](const KeyedRow& a, const KeyedRow& b) { return a.first < b.first; });
    return;
  }
  // How many keys have each value of each byte, for every byte at once.
  std::array<std::array<std::size_t, 256>, 8> counts{};
  for (const KeyedRow* it = first; it != last; ++it) {
    for (std::size_t b = 0; b < 8; ++b) ++counts[b][(it->first >> (8 * b)) & 0xFF];
  }
  std::vector<KeyedRow> spare(static_cast<std::size_t>(n));
  KeyedRow* from = first;
  KeyedRow* to = spare.data();
  for (std::size_t b = 0; b < 8; ++b) {
    const auto& count = counts[b];
    // A byte that every key shares orders nothing.
    if (std::find(count.begin(), count.end(), static_cast<std::size_t>(n)) != count.end()) continue;
    std::array<std::size_t, 256> place;
    std::size_t at = 0;
    for (std::size_t v = 0; v < 256; ++v) {
      place[v] = at;
      at += count[v];
    }
    for (const KeyedRow* it = from; it != from + n; ++it) {
      to[place[(it->first >> (8 * b)) & 0xFF]++] = *it;
    }
    std::swap(from, to);
  }
  if (from != first) std::copy(from, from + n, first);
}

}  // namespace noemie::viewer
