#pragma once
// Bounded reads of one record of a NOEMIE message.
//
// The window is the message: the data from the header's first character to the end of the
// data. A record is read through offsets counted from its first type digit, and a field is
// read only when it lies wholly inside the window; a field that does not is left as it was.
// Nothing here ever touches a byte outside the window.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/noemie/return_record.h"

namespace noemie::parsing {

// The message being walked: `size` bytes from `data`.
struct Window {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
};

// One record of the window, starting at window position `start` (which lies inside it).
class RecordView {
 public:
  RecordView(Window window, std::size_t start)
      : first_(window.data + start), room_(window.size - start), start_(start) {}

  // Window position of the record's first type digit.
  std::size_t start() const { return start_; }

  // True when the `length` bytes at `offset` lie wholly inside the window.
  bool holds(std::size_t offset, std::size_t length) const {
    return offset <= room_ && length <= room_ - offset;
  }

  // The bytes from `offset` to the end of the window (0 when `offset` lies past it).
  std::size_t room_from(std::size_t offset) const { return offset < room_ ? room_ - offset : 0; }

  // The byte at `offset`; only valid when holds(offset, 1).
  unsigned char byte(std::size_t offset) const { return first_[offset]; }

  // The bytes at `offset`; only valid for a range that holds() accepts.
  const unsigned char* at(std::size_t offset) const { return first_ + offset; }

 private:
  const unsigned char* first_;
  std::size_t room_;
  std::size_t start_;
};

// The value of an n-character number field read digit by digit without validation: each
// character adds (its code - '0') times its power of ten, bytes taken as 0 to 255. Exact in
// 64 bits for the widths of the format (at most 10 characters).
inline std::int64_t decimal_value(const unsigned char* p, std::size_t n) {
  std::int64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v = v * 10 + (static_cast<std::int64_t>(p[i]) - '0');
  return v;
}

// The low 32 bits of `v` as a signed number (two's complement), as a 32-bit field keeps it.
constexpr std::int32_t low_32(std::int64_t v) {
  return static_cast<std::int32_t>(v);
}

// Copies `n` raw bytes into a text field of N - 1 characters (n < N) and terminates it
// after them.
template <std::size_t N>
void copy_text(std::array<char, N>& field, const unsigned char* src, std::size_t n) {
  std::memcpy(field.data(), src, n);
  field[n] = '\0';
}

// The text field of `Length` characters at `offset` into `field`, when it lies inside. The
// field is terminated right after the copied characters.
template <std::size_t Length, std::size_t N>
void read_text(const RecordView& r, std::size_t offset, std::array<char, N>& field) {
  static_assert(Length < N, "a text field is never written past its length");
  if (r.holds(offset, Length)) copy_text(field, r.at(offset), Length);
}

// The number field of `width` digits at `offset`, low 32 bits, when it lies inside.
inline void read_number(const RecordView& r, std::size_t offset, std::size_t width,
                        std::int32_t& out) {
  if (r.holds(offset, width)) out = low_32(decimal_value(r.at(offset), width));
}

}  // namespace noemie::parsing
