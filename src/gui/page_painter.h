#pragma once
// The printout's pages drawn with Qt: on the window's printer and in its print preview, with
// the same placement as the PDF file. Helvetica is asked of the system (fontconfig gives a
// font with its widths), so that the texts fill the room the layout measured for them.

#include "print/document.h"

class QPainter;
class QPrinter;

namespace noemie::gui {

// Draws `page` with `painter`, whose device has `scale` units per point, with its origin at
// the paper's top-left corner.
void paint_page(QPainter& painter, const print::Page& page, double scale);

// Sets `printer` to A4 landscape with 10 mm margins, painted from the paper's corner.
void use_document_paper(QPrinter& printer);

// Prints every page of `document` on `printer` (set up by use_document_paper). Returns false
// when the printer could not be painted on.
bool print_document(const print::Document& document, QPrinter& printer);

}  // namespace noemie::gui
