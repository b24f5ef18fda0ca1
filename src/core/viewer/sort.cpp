#include "core/viewer/sort.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace noemie::viewer {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Rows ordered by ascending key; equal keys keep their order (the row number breaks ties, which
// makes an in-place sort stable without the scratch buffer of std::stable_sort). The keys travel
// with the row numbers so that the sort works on one contiguous array.
template <typename Key, typename Less = std::less<Key>>
std::vector<std::int32_t> stable_order(std::vector<std::pair<Key, std::int32_t>> keyed,
                                       Less less = Less()) {
  std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
    if (less(a.first, b.first)) return true;
    if (less(b.first, a.first)) return false;
    return a.second < b.second;
  });
  std::vector<std::int32_t> order;
  order.reserve(keyed.size());
  for (const auto& k : keyed) order.push_back(k.second);
  return order;
}

// A text key: its first eight bytes packed big-endian, so that most comparisons are one
// integer comparison, and the rest of the text for ties.
struct TextKey {
  std::uint64_t head = 0;
  std::uint8_t head_size = 0;
  std::string_view tail;
};

TextKey text_key(std::string_view cell) {
  TextKey key;
  const std::size_t n = std::min<std::size_t>(cell.size(), 8);
  for (std::size_t i = 0; i < 8; ++i) {
    key.head = (key.head << 8) | (i < n ? static_cast<unsigned char>(cell[i]) : 0u);
  }
  key.head_size = static_cast<std::uint8_t>(n);
  key.tail = cell.substr(n);
  return key;
}

// Byte order of Windows-1252 texts: each byte unsigned, a prefix before the longer text.
bool text_less(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  return c != 0 ? c < 0 : a.size() < b.size();
}

bool text_key_less(const TextKey& a, const TextKey& b) {
  if (a.head != b.head) return a.head < b.head;
  // Equal heads padded with zeros: the shorter text first (it is a prefix of the other).
  if (a.head_size != b.head_size) return a.head_size < b.head_size;
  return text_less(a.tail, b.tail);
}

template <typename Key, typename KeyOf>
std::vector<std::pair<Key, std::int32_t>> keys_of(const ListControl& list, int column,
                                                  std::size_t chars, KeyOf key_of) {
  std::vector<std::pair<Key, std::int32_t>> keyed;
  keyed.reserve(static_cast<std::size_t>(list.row_count()));
  for (int r = 0; r < list.row_count(); ++r)
    keyed.emplace_back(key_of(list.cell(r, column, chars)), r);
  return keyed;
}

}  // namespace

SortKind sort_kind_of(int column) {
  switch (column) {
    case kColRef:
    case kColLot:
    case kColFse:
    case kColTxAmo:
    case kColTxAmc:
      return SortKind::Number;
    case kColDateComptable:
    case kColDateActe:
      return SortKind::Date;
    case kColTotal:
    case kColAmo:
    case kColAmc:
      return SortKind::Amount;
    default:
      return SortKind::Text;
  }
}

std::int64_t number_key(std::string_view cell) {
  std::size_t i = 0;
  while (i < cell.size() && !is_digit(cell[i])) ++i;
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; i < cell.size() && is_digit(cell[i]); ++i) {
    const int digit = cell[i] - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return value;
}

std::int64_t date_key(std::string_view cell) {
  if (cell.empty()) return 0;
  const auto at = [&](std::size_t i) -> std::int64_t {
    const char c = i < cell.size() ? cell[i] : '\0';
    return static_cast<std::int64_t>(static_cast<unsigned char>(c)) - '0';
  };
  const std::int64_t day = at(0) * 10 + at(1);
  const std::int64_t month = at(3) * 10 + at(4);
  const std::int64_t year = at(6) * 1000 + at(7) * 100 + at(8) * 10 + at(9);
  return day + 31 * month + 372 * year;
}

double amount_key(std::string_view cell) {
  if (cell.empty()) return 0.0;
  const bool francs = cell.back() == 'F';
  const std::string_view text = cell.substr(0, cell.size() - 1);
  // The number at the start: blanks, an optional sign, digits, an optional "." and digits.
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  while (i < text.size() && is_digit(text[i])) ++i;
  const std::size_t int_digits = i - start;
  std::size_t frac_digits = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i + frac_digits < text.size() && is_digit(text[i + frac_digits])) ++frac_digits;
    i += frac_digits;
  }
  if (int_digits + frac_digits == 0) return 0.0;
  // from_chars rounds correctly and ignores the locale; a lone "." is never passed to it.
  std::string number;
  number.reserve(i - start + 1);
  if (text[start] == '.') number.push_back('0');
  number.append(text.substr(start, i - start));
  double value = 0.0;
  std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
  if (negative) value = -value;
  return francs ? value : value * kFrancsPerEuro;
}

void sort_colonne(ListControl& list, int column) {
  std::vector<std::int32_t> order;
  switch (sort_kind_of(column)) {
    case SortKind::Number:
      order = stable_order(keys_of<std::int64_t>(list, column, kValueKeyChars, number_key));
      break;
    case SortKind::Date:
      order = stable_order(keys_of<std::int64_t>(list, column, kValueKeyChars, date_key));
      break;
    case SortKind::Amount:
      order = stable_order(keys_of<double>(list, column, kValueKeyChars, amount_key));
      break;
    case SortKind::Text:
      order = stable_order(keys_of<TextKey>(list, column, kTextKeyChars, text_key), text_key_less);
      break;
  }
  list.begin_reset();
  list.reorder(order);
  for (int r = 0; r < list.row_count(); ++r) list.row_data(r).row_index = r;
  list.end_reset();
}

}  // namespace noemie::viewer
