#include "core/viewer/row_find.h"

#include <array>
#include <cstddef>

namespace noemie::viewer {
namespace {

using FoldTable = std::array<unsigned char, 256>;

constexpr FoldTable make_fold_table() {
  FoldTable t{};
  for (int c = 0; c < 256; ++c) t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c)
    t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 'A' + 'a');
  // Windows-1252 letters with accents, upper and lower case alike (0xC0 to 0xFF).
  constexpr std::string_view kHigh =
      "aaaaaa\xE6"
      "ceeeeiiii\xF0nooooo\xD7ouuuuy\xFE\xDF"
      "aaaaaa\xE6"
      "ceeeeiiii\xF0nooooo\xF7ouuuuy\xFEy";
  for (std::size_t i = 0; i < kHigh.size(); ++i) t[0xC0 + i] = static_cast<unsigned char>(kHigh[i]);
  t[0x8A] = 's';   // Š
  t[0x9A] = 's';   // š
  t[0x8E] = 'z';   // Ž
  t[0x9E] = 'z';   // ž
  t[0x8C] = 0x9C;  // Œ -> œ
  t[0x9F] = 'y';   // Ÿ
  return t;
}

constexpr FoldTable kFold = make_fold_table();

unsigned char fold(char c) {
  return kFold[static_cast<unsigned char>(c)];
}

}  // namespace

char fold_char(char c) {
  return static_cast<char>(fold(c));
}

std::string fold_text(std::string_view text) {
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = fold_char(text[i]);
  return out;
}

RowFinder::RowFinder(std::string_view text) : text_(text), needle_(fold_text(text)) {}

bool RowFinder::narrows(const RowFinder& wider) const {
  return needle_.find(wider.needle_) != std::string::npos;
}

bool RowFinder::matches(std::string_view cell) const {
  const std::size_t n = needle_.size();
  if (n == 0) return true;
  if (cell.size() < n) return false;
  const auto first = static_cast<unsigned char>(needle_[0]);
  const std::size_t last_start = cell.size() - n;
  for (std::size_t i = 0; i <= last_start; ++i) {
    if (fold(cell[i]) != first) continue;
    std::size_t k = 1;
    while (k < n && fold(cell[i + k]) == static_cast<unsigned char>(needle_[k])) ++k;
    if (k == n) return true;
  }
  return false;
}

bool RowFinder::row_matches(const ListControl& list, int row) const {
  for (int col = kColFichier; col < kColumnCount; ++col) {
    if (matches(list.all_cell(row, col))) return true;
  }
  return false;
}

std::vector<bool> find_rows(const ListControl& list, const RowFinder& finder, bool only_shown) {
  const int rows = list.all_row_count();
  std::vector<bool> kept(static_cast<std::size_t>(rows), false);
  if (only_shown) {
    for (int r = 0; r < list.row_count(); ++r) {
      const int row = list.all_row_of(r);
      kept[static_cast<std::size_t>(row)] = finder.row_matches(list, row);
    }
  } else {
    for (int row = 0; row < rows; ++row)
      kept[static_cast<std::size_t>(row)] = finder.row_matches(list, row);
  }
  return kept;
}

}  // namespace noemie::viewer
