#pragma once
// The rows a list shows, laid out on A4 landscape pages inside 10 mm margins:
// - the heading on the first page: the caption, "Dossier : …", the filters,
//   "Recherche : « … »" when a find is in force, "Imprimé le …";
// - the titles of the visible columns on a grey band at the top of every page (a column of
//   width 0 stays out), widths in proportion to the list's, except that no title and no word
//   of the first rows' cells has to break;
// - one row after the other, long cells wrapped, never cut: a row that does not fit goes to
//   the next page, and only a row taller than a whole page is split between pages;
// - the state of column 0 as a coloured disc;
// - the summary after the last row, on a page of its own when it does not fit;
// - "page N / M" at the foot of every page.

#include "core/viewer/list_control.h"
#include "print/document.h"
#include "print/print_heading.h"

namespace noemie::print {

// Sizes in points of the printout's texts and the room around a cell's text.
inline constexpr double kCellSize = 7;
inline constexpr double kHeadingSize = 9;
inline constexpr double kCaptionSize = 12;
inline constexpr double kCellPadding = 1.5;

// The height of a line of text set at `size` points.
constexpr double line_height(double size) {
  return size * 1.15;
}

// The pages of the rows `list` shows, with `heading` around them. `title` names the document.
Document lay_out_list(const viewer::ListControl& list, const PrintHeading& heading,
                      const std::string& title);

// The printout of what `viewer` shows now, printed at `date`, named by the window's caption.
Document list_document(const viewer::Viewer& viewer, const PrintDate& date);

}  // namespace noemie::print
