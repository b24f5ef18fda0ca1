#pragma once
// Sorting the list by a column. The order is always ascending and stable: rows with equal keys
// keep their previous relative order. Each column compares its cells as displayed, in one of
// four ways; every row's key is computed once per sort.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/viewer/list_control.h"

namespace noemie::viewer {

enum class SortKind { Text, Number, Date, Amount };

// The comparison of a column; columns outside 2 to 15 compare as text.
SortKind sort_kind_of(int column);

// Francs per euro, as the amount comparison converts euro amounts.
inline constexpr double kFrancsPerEuro = 6.55957;

// Characters of a cell that the comparisons read: 259 for text, 254 for the others.
inline constexpr std::size_t kTextKeyChars = 259;
inline constexpr std::size_t kValueKeyChars = 254;

// Key of a number cell: the digits after the first digit run's start, 0 when none
// ("(531)" gives 531, "x(534)" 534, "65%" 65, "-" 0). Saturates rather than overflows.
std::int64_t number_key(std::string_view cell);

// Key of a date cell "DD/MM/YYYY": day + 31 x month + 372 x year, each character taken as its
// code minus '0' without checking it (a character past the end of the text counts as NUL);
// 0 for an empty cell. Dates sort in calendar order.
std::int64_t date_key(std::string_view cell);

// Key of an amount cell: its value in francs ("12.34F"; any other last character is taken as
// the euro sign and the value converted); 0 for an empty cell.
double amount_key(std::string_view cell);

// Sorts every row of the list by `column` and renumbers each row's row_index to its new
// position. Brackets the change with begin_reset/end_reset for a view.
void sort_colonne(ListControl& list, int column);

// The same sort without begin_reset/end_reset, for a caller that brackets a larger change
// (a fill ends with this sort inside its own bracket).
void sort_rows(ListControl& list, int column);

// The same order as sort_rows(list, column) for a text column, for rows that come in runs
// sharing their text in that column (the rows of one file under "Fichier"): one key per run.
// `run_starts` holds the first row of each run in ascending order, 0 first; anything else
// falls back on sort_rows.
void sort_runs(ListControl& list, int column, const std::vector<std::int32_t>& run_starts);

}  // namespace noemie::viewer
