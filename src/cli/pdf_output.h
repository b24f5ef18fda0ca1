#pragma once
// The export command's PDF file: the list printed on A4 landscape pages, as the viewer's
// "Fichier PDF" prints it.

#include <string>

#include "cli/export_options.h"
#include "core/viewer/transfer_sheet.h"
#include "core/viewer/viewer.h"

namespace noemie::cli {

// Writes the PDF, dated now, where --output says ("-": standard output); "" or a one-line
// error (UTF-8).
std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options);

// Writes the PDF of a transfer list (its heading that of `viewer`'s list, captioned
// "Virements", its last line the line under the transfers window's table) where --output says.
std::string write_transfers_pdf(const viewer::Viewer& viewer, const viewer::TransferSheet& sheet,
                                const ExportOptions& options);

}  // namespace noemie::cli
