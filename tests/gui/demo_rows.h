#pragma once
// A ListControl filled by hand with plausible rows (fictional names and numbers), for the
// GUI tests and the screenshot program: every state and marker icon, amounts in francs and
// euros, long and empty cells.

#include <string>

#include "core/viewer/list_control.h"

namespace noemie::testing {

// Creates the list's 17 columns as the engine does at opening: titles of row 3 of the title
// table, default widths of the "Toutes" filter, columns 1 to 6 and 16 left-aligned.
void add_list_columns(viewer::ListControl& list);

// Adds `count` rows (cycling through a set of sample rows) between begin_reset and
// end_reset. The list's columns must exist.
void add_demo_rows(viewer::ListControl& list, int count);

// The cells of one row: `texts` holds columns 1 to 16 (column 0 shows an icon only).
viewer::ListControl::Cells demo_cells(std::initializer_list<std::string> texts);

}  // namespace noemie::testing
