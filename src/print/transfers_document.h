#pragma once
// The transfer table on paper: the pages of the transfers window's "Imprimer…" and of
// `virements --format pdf`, laid out as the list's printout is.

#include "core/viewer/transfer_sheet.h"
#include "print/document.h"
#include "print/print_heading.h"

namespace noemie::viewer {
class Viewer;
}

namespace noemie::print {

// The pages of `sheet` (its lines, the line of totals and, after a statement, the credits that
// matched nothing), under the heading of what `viewer` shows, captioned "Virements", printed at
// `date`, with the line under the transfers window's table as its summary.
Document transfers_document(const viewer::Viewer& viewer, const viewer::TransferSheet& sheet,
                            const PrintDate& date);

}  // namespace noemie::print
