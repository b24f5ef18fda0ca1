#pragma once
// The list as a PDF file, as the window's "Fichier PDF" and `export --format pdf` write it.

#include <string>
#include <string_view>

#include "print/list_printout.h"

namespace noemie::viewer {
class Viewer;
}

namespace noemie::print {

// The bytes of the PDF of what `viewer` shows (A4 landscape, see print_list). Works without a
// display: when the program has no application object yet, one of the offscreen platform is
// made for the time of the call.
std::string pdf_bytes(const viewer::Viewer& viewer);

// The same for the rows of `list` under `heading`, the document titled `title` (Windows-1252).
std::string pdf_bytes(const viewer::ListControl& list, const PrintHeading& heading,
                      std::string_view title);

}  // namespace noemie::print
