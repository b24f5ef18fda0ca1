#include "cli/pdf_output.h"

#ifdef NOEMIE_HAVE_PDF
#include "print/pdf_export.h"
#endif

namespace noemie::cli {

std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options) {
#ifdef NOEMIE_HAVE_PDF
  return print::write_pdf_file(viewer, options.output);
#else
  (void)viewer;
  (void)options;
  return "this build cannot write PDF files; use --format text, excel or html";
#endif
}

}  // namespace noemie::cli
