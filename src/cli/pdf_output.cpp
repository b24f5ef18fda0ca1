#include "cli/pdf_output.h"

#ifdef NOEMIE_HAVE_PDF
#include <string_view>

#include "cli/export_output.h"
#include "core/store/atomic_file.h"
#include "core/text/cp1252.h"
#include "print/pdf_export.h"
#endif

namespace noemie::cli {
namespace {

constexpr std::string_view kNoPdf =
    "this build cannot write PDF files; use --format text, excel or html";

#ifdef NOEMIE_HAVE_PDF
std::string write_pdf_bytes(const std::string& pdf, const ExportOptions& options) {
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return sink(pdf);
  };
  // A regular file is replaced whole or not at all, as the other formats' files are.
  return write_output(options.output, bytes, false, [&](const std::filesystem::path& target) {
    return store::write_file_atomically(target, pdf);
  });
}
#endif

}  // namespace

std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options) {
#ifdef NOEMIE_HAVE_PDF
  return write_pdf_bytes(print::pdf_bytes(viewer), options);
#else
  (void)viewer;
  (void)options;
  return std::string(kNoPdf);
#endif
}

std::string write_transfers_pdf(const viewer::Viewer& viewer, const viewer::TransferSheet& sheet,
                                const ExportOptions& options) {
#ifdef NOEMIE_HAVE_PDF
  viewer::ListControl list;
  viewer::transfer_print_list(sheet, list);
  print::PrintHeading heading = print::heading_of(viewer);
  heading.caption = QString::fromStdU16String(text::cp1252_to_utf16(viewer::kTransfersCaption));
  heading.summary =
      QString::fromStdU16String(text::cp1252_to_utf16(viewer::transfer_status_text(sheet)));
  return write_pdf_bytes(print::pdf_bytes(list, heading, viewer::kTransfersCaption), options);
#else
  (void)viewer;
  (void)sheet;
  (void)options;
  return std::string(kNoPdf);
#endif
}

}  // namespace noemie::cli
