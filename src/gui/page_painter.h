#pragma once
// The printout's pages drawn with Qt: on the window's printer and in its print preview, with
// the same placement as the PDF file. Helvetica is asked of the system (fontconfig gives a
// font with its widths), so that the texts fill the room the layout measured for them.

#include <functional>
#include <string_view>

#include "print/document.h"

class QPainter;
class QPrinter;
class QWidget;

namespace noemie::gui {

// Draws `page` with `painter`, whose device has `scale` units per point, with its origin at
// the paper's top-left corner.
void paint_page(QPainter& painter, const print::Page& page, double scale);

// Sets `printer` to A4 landscape with 10 mm margins, painted from the paper's corner.
void use_document_paper(QPrinter& printer);

// Prints every page of `document` on `printer` (set up by use_document_paper). Returns false
// when the printer could not be painted on.
bool print_document(const print::Document& document, QPrinter& printer);

// The print preview ("Aperçu avant impression", object name "printPreview"), modal, over
// `owner` and at least its size, of the pages `document` makes (each time they are drawn: for
// the preview, then for the printer), from which they are printed as the job `job_name`
// (Windows-1252). Returns once it is closed.
void show_print_preview(QWidget& owner, std::string_view job_name,
                        const std::function<print::Document()>& document);

}  // namespace noemie::gui
