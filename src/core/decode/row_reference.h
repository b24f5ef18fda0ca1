#pragma once
// What the reference table says about the reference shown in a list row, read back from the
// row's "Réf" cell text ("(531)", "x(534)", ...): used by the detail box, the tooltips and the
// marking of returns.

#include <cstddef>
#include <string>
#include <string_view>

namespace noemie::decode {

// Characters of a cell that are read back (the original's 260-character buffer with its NUL).
inline constexpr std::size_t kCellReadChars = 259;

// The reference number of a "Réf" cell: the run of decimal digits right after its first "(",
// up to the first other character (normally the ")"). 0 when the cell has no "(" or no digit
// follows it; a run too long for an int keeps the largest int.
int ref_cell_number(std::string_view ref_cell);

// Explanatory text of the row's reference (reference_text), or "" for an empty cell.
std::string get_type_ref(std::string_view ref_cell);

// Kind letter of the row's reference ('R', 'A' or 'I'); 'I' for an empty cell.
char get_type_ref_(std::string_view ref_cell);

}  // namespace noemie::decode
