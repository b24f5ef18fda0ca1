#include "core/decode/row_reference.h"

#include <limits>

#include "core/decode/reference_table.h"
#include "core/text/c_text.h"

namespace noemie::decode {
namespace {

// The cell as the list hands it out: up to its first NUL, at most kCellReadChars characters.
std::string_view read_cell(std::string_view cell) {
  return noemie::text::first_chars(noemie::text::c_text(cell), kCellReadChars);
}

}  // namespace

int ref_cell_number(std::string_view ref_cell) {
  const std::string_view cell = read_cell(ref_cell);
  const std::size_t open = cell.find('(');
  if (open == std::string_view::npos) return 0;
  constexpr int kMax = std::numeric_limits<int>::max();
  int number = 0;
  for (std::size_t pos = open + 1; pos < cell.size() && cell[pos] >= '0' && cell[pos] <= '9';
       ++pos) {
    const int digit = cell[pos] - '0';
    number = number > (kMax - digit) / 10 ? kMax : number * 10 + digit;
  }
  return number;
}

std::string get_type_ref(std::string_view ref_cell) {
  if (read_cell(ref_cell).empty()) return {};
  return reference_text(ref_cell_number(ref_cell));
}

char get_type_ref_(std::string_view ref_cell) {
  if (read_cell(ref_cell).empty()) return 'I';
  return reference_kind(ref_cell_number(ref_cell));
}

}  // namespace noemie::decode
