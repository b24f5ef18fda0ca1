#pragma once
// Texts behave as zero-terminated texts: a field or a cell ends at its first NUL byte, and
// every length that matters is counted up to it.

#include <array>
#include <cstddef>
#include <string_view>

namespace noemie::text {

// The text of `s` up to its first NUL byte (all of it when it holds none).
constexpr std::string_view c_text(std::string_view s) {
  const auto nul = s.find('\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
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
