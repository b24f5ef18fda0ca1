#pragma once
// Ordering rows by 64-bit keys, stably (rows with equal keys keep their relative order), in
// time proportional to the rows: a least-significant-digit radix sort, a byte at a time,
// passing over the bytes in which every key is alike. The list's sorts make one key per row
// and order half a million rows this way in a few passes over a compact array.

#include <cstdint>
#include <utility>
#include <vector>

namespace noemie::viewer {

// A row and its key.
using KeyedRow = std::pair<std::uint64_t, std::int32_t>;

// Orders [first, last) by ascending key; equal keys keep their order.
void stable_sort_by_key(KeyedRow* first, KeyedRow* last);

// Unsigned keys that order as the values do: for a signed integer, and for a double (-0.0 and
// +0.0 alike, as the comparison of doubles has them; no NaN).
constexpr std::uint64_t ordered_key(std::int64_t value) {
  return static_cast<std::uint64_t>(value) ^ (std::uint64_t{1} << 63);
}
std::uint64_t ordered_key(double value);

}  // namespace noemie::viewer
