#include "cli/pdf_output.h"

#ifdef NOEMIE_HAVE_PDF
#include <string_view>

#include "cli/export_output.h"
#include "core/platform/path_text.h"
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
  switch (output_kind(options.output)) {
    case OutputKind::StandardOutput:
      return write_to_stream(stdout, bytes, "standard output");
    case OutputKind::Folder:
      return "cannot write the export to " + options.output + ": it is a folder";
    case OutputKind::Special:
      return write_in_place(platform::path_from_native_text(options.output), bytes);
    case OutputKind::RegularFile:
      break;
  }
  // Replaced whole or not at all, as the other formats' files are; the error names the file.
  return store::write_file_atomically(platform::path_from_native_text(options.output), pdf);
#else
  (void)viewer;
  (void)options;
  return "this build cannot write PDF files; use --format text, excel or html";
#endif
}

}  // namespace noemie::cli
