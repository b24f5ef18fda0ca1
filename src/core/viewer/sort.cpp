#include "core/viewer/sort.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "core/viewer/key_order.h"

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

// Rows ordered by ascending key; equal keys keep their order. The keys travel with the row
// numbers so that the sort works on one contiguous array.
std::vector<std::int32_t> stable_order(std::vector<KeyedRow> keyed) {
  stable_sort_by_key(keyed.data(), keyed.data() + keyed.size());
  return rows_of(keyed);
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

// Every row's key, made by `key_of` from the cell's first `chars` characters.
template <typename KeyOf>
std::vector<KeyedRow> keys_of(const ListControl& list, int column, std::size_t chars,
                              KeyOf key_of) {
  std::vector<KeyedRow> keyed;
  keyed.reserve(static_cast<std::size_t>(list.row_count()));
  for (int r = 0; r < list.row_count(); ++r) {
    keyed.emplace_back(ordered_key(key_of(list.cell(r, column, chars))), r);
  }
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
      order = stable_order(keys_of(list, column, kValueKeyChars, number_key));
      break;
    case SortKind::Date:
      order = stable_order(keys_of(list, column, kValueKeyChars, date_key));
      break;
    case SortKind::Amount:
      order = stable_order(keys_of(list, column, kValueKeyChars, amount_key));
      break;
    case SortKind::Text: {
      std::vector<std::string_view> texts(static_cast<std::size_t>(list.row_count()));
      for (std::size_t r = 0; r < texts.size(); ++r) {
        texts[r] = list.cell(static_cast<int>(r), column, kTextKeyChars);
      }
      order = text_order(texts);
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
  const std::vector<std::int32_t> sorted = text_order(keys);
  std::vector<std::int32_t> order;
  order.reserve(static_cast<std::size_t>(rows));
  for (const std::int32_t run : sorted) {
    const auto i = static_cast<std::size_t>(run);
    const std::int32_t end = i + 1 < runs ? run_starts[i + 1] : rows;
    for (std::int32_t r = run_starts[i]; r < end; ++r) order.push_back(r);
  }
  list.reorder(order);
  for (int r = 0; r < rows; ++r) list.row_data(r).row_index = r;
}

}  // namespace noemie::viewer
