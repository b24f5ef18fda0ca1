#include "core/viewer/sort.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "core/viewer/key_order.h"
#include "core/viewer/ordered_work.h"

namespace noemie::viewer {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The row numbers of `keyed`, in its order.
std::vector<std::int32_t> rows_of(const std::vector<KeyedRow>& keyed) {
  std::vector<std::int32_t> order;
  order.reserve(keyed.size());
  for (const KeyedRow& k : keyed) order.push_back(k.second);
  return order;
}

// Below this many rows, a sort runs on one thread.
constexpr std::size_t kRowsForTwoThreads = std::size_t{1} << 16;

// Items for the rows [0, rows) in order, `order_of(first, last)` making those of the rows
// [first, last) in order, equal ones in row order, and `less` comparing two items. With many
// rows, the two halves are ordered on two threads and merged, equal items taken from the
// first half first: the order stays stable.
template <typename Item, typename OrderOf, typename Less>
std::vector<Item> ordered(std::size_t rows, const OrderOf& order_of, const Less& less) {
  if (rows < kRowsForTwoThreads || work_threads() < 2) return order_of(0, rows);
  std::array<std::vector<Item>, 2> halves;
  run_in_order(
      2, 2,
      [&](std::size_t half, unsigned) {
        halves[half] = half == 0 ? order_of(0, rows / 2) : order_of(rows / 2, rows);
      },
      [](std::size_t) {});
  std::vector<Item> merged(rows);
  std::merge(halves[0].begin(), halves[0].end(), halves[1].begin(), halves[1].end(), merged.begin(),
             less);
  return merged;
}

// Eight bytes of a text from `offset`, packed big-endian (zeros past its end): comparing two
// such chunks as integers orders the texts' bytes there.
std::uint64_t text_chunk(std::string_view text, std::size_t offset) {
  std::uint64_t chunk = 0;
  for (std::size_t i = offset; i < offset + 8; ++i) {
    chunk = (chunk << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
  }
  return chunk;
}

// Indexes of `texts` in byte order of the texts (each byte unsigned, a prefix before the
// longer text), equal texts in index order: the rows are sorted on the
// texts' first eight bytes as integers, then each run of equal chunks on the next eight
// bytes, and so on. Each level reads every text once, in one contiguous array, where a plain
// comparison sort would follow two pointers per comparison; texts that share long beginnings
// (messages, file names of one year) cost a few passes instead of many slow comparisons.
// A cell holds no NUL byte, so zeros past a text's end set it before any longer one.
std::vector<std::int32_t> text_order(const std::vector<std::string_view>& texts) {
  const std::size_t n = texts.size();
  std::vector<KeyedRow> keyed(n);
  for (std::size_t r = 0; r < n; ++r) {
    keyed[r] = {text_chunk(texts[r], 0), static_cast<std::int32_t>(r)};
  }
  struct Run {
    std::size_t begin, end, offset;
  };
  std::vector<Run> runs = {{0, n, 0}};
  while (!runs.empty()) {
    const Run run = runs.back();
    runs.pop_back();
    const auto first = keyed.begin() + static_cast<std::ptrdiff_t>(run.begin);
    const auto last = keyed.begin() + static_cast<std::ptrdiff_t>(run.end);
    if (run.offset > 0) {
      for (auto it = first; it != last; ++it) {
        it->first = text_chunk(texts[static_cast<std::size_t>(it->second)], run.offset);
      }
    }
    // Equal chunks keep their order, so that equal texts keep theirs.
    stable_sort_by_key(keyed.data() + run.begin, keyed.data() + run.end);
    for (std::size_t begin = run.begin; begin < run.end;) {
      std::size_t end = begin + 1;
      bool longer = texts[static_cast<std::size_t>(keyed[begin].second)].size() > run.offset + 8;
      while (end < run.end && keyed[end].first == keyed[begin].first) {
        longer =
            longer || texts[static_cast<std::size_t>(keyed[end].second)].size() > run.offset + 8;
        ++end;
      }
      // Equal chunks with text left beyond them: the next eight bytes decide.
      if (end - begin > 1 && longer) runs.push_back({begin, end, run.offset + 8});
      begin = end;
    }
  }
  return rows_of(keyed);
}

// The rows ordered by ascending key, made by `key_of` from the first kValueKeyChars
// characters of their cells; equal keys keep their order. The keys travel with the row
// numbers so that the sort works on one contiguous array.
template <typename KeyOf>
std::vector<std::int32_t> key_order(const ListControl& list, int column, KeyOf key_of) {
  const auto order_of = [&](std::size_t first, std::size_t last) {
    std::vector<KeyedRow> keyed;
    keyed.reserve(last - first);
    for (auto r = static_cast<int>(first); r < static_cast<int>(last); ++r) {
      keyed.emplace_back(ordered_key(key_of(list.cell(r, column, kValueKeyChars))), r);
    }
    stable_sort_by_key(keyed.data(), keyed.data() + keyed.size());
    return keyed;
  };
  const auto less = [](const KeyedRow& a, const KeyedRow& b) { return a.first < b.first; };
  return rows_of(ordered<KeyedRow>(static_cast<std::size_t>(list.row_count()), order_of, less));
}

// Byte order of Windows-1252 texts: each byte unsigned, a prefix before the longer text.
bool text_less(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  return c != 0 ? c < 0 : a.size() < b.size();
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
  list.begin_reset();
  try {
    sort_rows(list, column);
  } catch (...) {
    // A sort that could not get its memory leaves the rows as they were; the view must still
    // see its reset closed.
    list.end_reset();
    throw;
  }
  list.end_reset();
}

void sort_rows(ListControl& list, int column) {
  std::vector<std::int32_t> order;
  switch (sort_kind_of(column)) {
    case SortKind::Number:
      order = key_order(list, column, number_key);
      break;
    case SortKind::Date:
      order = key_order(list, column, date_key);
      break;
    case SortKind::Amount:
      order = key_order(list, column, amount_key);
      break;
    case SortKind::Text: {
      std::vector<std::string_view> texts(static_cast<std::size_t>(list.row_count()));
      for (std::size_t r = 0; r < texts.size(); ++r) {
        texts[r] = list.cell(static_cast<int>(r), column, kTextKeyChars);
      }
      const auto order_of = [&](std::size_t first, std::size_t last) {
        std::vector<std::int32_t> part = text_order(
            std::vector<std::string_view>(texts.begin() + static_cast<std::ptrdiff_t>(first),
                                          texts.begin() + static_cast<std::ptrdiff_t>(last)));
        for (std::int32_t& r : part) r += static_cast<std::int32_t>(first);
        return part;
      };
      const auto less = [&](std::int32_t a, std::int32_t b) {
        return text_less(texts[static_cast<std::size_t>(a)], texts[static_cast<std::size_t>(b)]);
      };
      order = ordered<std::int32_t>(texts.size(), order_of, less);
      break;
    }
  }
  list.reorder(order);
  for (int r = 0; r < list.row_count(); ++r) list.row_data(r).row_index = r;
}

void sort_runs(ListControl& list, int column, const std::vector<std::int32_t>& run_starts) {
  const std::int32_t rows = list.row_count();
  const std::size_t runs = run_starts.size();
  bool valid =
      sort_kind_of(column) == SortKind::Text && (rows == 0 || (runs > 0 && run_starts[0] == 0));
  for (std::size_t i = 1; valid && i < runs; ++i) {
    valid = run_starts[i] > run_starts[i - 1] && run_starts[i] < rows;
  }
  if (!valid) return sort_rows(list, column);

  std::vector<std::string_view> keys(runs);
  for (std::size_t i = 0; i < runs; ++i) keys[i] = list.cell(run_starts[i], column, kTextKeyChars);
  list.reorder_runs(run_starts, text_order(keys));
}

}  // namespace noemie::viewer
