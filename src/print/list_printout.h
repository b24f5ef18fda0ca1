#pragma once
// The list on paper: one renderer for the window's print, its print preview and the PDF file.
// A4 landscape pages: a heading (caption, folder, filters, find text, date) on the first page;
// the visible columns (a column of width 0 stays out) with their titles on every page, widths
// in proportion to the list's; long cells wrapped, never cut; the summary line after the last
// row; "page N / M" at the foot of every page.

#include <QString>
#include <string>

#include "core/viewer/list_control.h"

class QPagedPaintDevice;

namespace noemie::viewer {
class Viewer;
}

namespace noemie::print {

// What the heading and the last line say.
struct PrintHeading {
  QString caption;
  QString folder;
  QString filters;
  QString find;  // empty: no find in force
  QString date;  // "le 09/12/2026 à 14:05"
  QString summary;
};

// The heading of what `viewer` shows now, dated now.
PrintHeading heading_of(const viewer::Viewer& viewer);

// Sets A4 landscape and 10 mm margins on `device`.
void use_a4_landscape(QPagedPaintDevice& device);

// Paints the rows `list` shows on `device`, which must be set up (page size, margins);
// returns the number of pages.
int print_list(const viewer::ListControl& list, const PrintHeading& heading,
               QPagedPaintDevice& device);

}  // namespace noemie::print
