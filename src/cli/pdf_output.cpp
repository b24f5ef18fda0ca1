#include "cli/pdf_output.h"

#ifdef NOEMIE_HAVE_PDF
#include <string_view>

#include "cli/export_output.h"
#include "core/store/atomic_file.h"
#include "print/pdf_export.h"
#endif

namespace noemie::cli {

std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options) {
#ifdef NOEMIE_HAVE_PDF
  const std::string pdf = print::pdf_bytes(viewer);
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return sink(pdf);
  };
  // A regular file is replaced whole or not at all, as the other formats' files are.
  return write_output(options.output, bytes, false, [&](const std::filesystem::path& target) {
    return store::write_file_atomically(target, pdf);
  });
#else
  (void)viewer;
  (void)options;
  return "this build cannot write PDF files; use --format text, excel or html";
#endif
}

}  // namespace noemie::cli
