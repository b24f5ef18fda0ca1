#pragma once
// The export command's PDF file: the list printed on A4 landscape pages, as the viewer's
// "Fichier PDF" prints it.

#include <string>

#include "cli/export_options.h"
#include "core/viewer/viewer.h"

namespace noemie::cli {

// Writes the PDF, dated now, where --output says ("-": standard output); "" or a one-line
// error (UTF-8).
std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options);

}  // namespace noemie::cli
