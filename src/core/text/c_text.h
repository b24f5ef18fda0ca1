#pragma once
// Texts behave as zero-terminated texts: a field or a cell ends at its first NUL byte, and
// every length that matters is counted up to it.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace noemie::text {

// Where the first NUL byte of the `size` bytes at `p` stands, or `size` when there is none.
// Eight bytes at a time and inline: this runs for every field and cell of every row, most of
// them a few bytes long, where a call to memchr costs more than the search.
inline std::size_t first_nul(const char* p, std::size_t size) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= size; i += 8) {
      std::uint64_t word;
      std::memcpy(&word, p + i, sizeof word);
      // The lowest flagged byte is the first zero byte (a flag above a zero may be false).
      if (const std::uint64_t zeros = (word - kOnes) & ~word & kHighs) {
        return i + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
      }
    }
  }
  for (; i < size; ++i) {
    if (p[i] == '\0') return i;
  }
  return size;
}

// The text of `s` up to its first NUL byte (all of it when it holds none).
constexpr std::string_view c_text(std::string_view s) {
  if (std::is_constant_evaluated()) {
    const auto nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
  }
  return s.substr(0, first_nul(s.data(), s.size()));
}

// The text of a fixed, zero-terminated field.
template <std::size_t N>
constexpr std::string_view c_text(const std::array<char, N>& field) {
  return c_text(std::string_view(field.data(), N));
}

// The first `n` characters of `s` at most.
constexpr std::string_view first_chars(std::string_view s, std::size_t n) {
  return s.substr(0, n < s.size() ? n : s.size());
}

}  // namespace noemie::text
