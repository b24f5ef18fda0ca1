#include "cli/pdf_output.h"

#include <chrono>
#include <string_view>

#include "cli/export_output.h"
#include "core/store/atomic_file.h"
#include "print/list_layout.h"
#include "print/pdf_writer.h"
#include "print/transfers_document.h"

namespace noemie::cli {

namespace {

std::string write_pdf_bytes(const std::string& pdf, const ExportOptions& options) {
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return sink(pdf);
  };
  // A regular file is replaced whole or not at all, as the other formats' files are.
  return write_output(options.output, bytes, false, [&](const std::filesystem::path& target) {
    return store::write_file_atomically(target, pdf);
  });
}

print::PrintDate now() {
  return print::local_date(std::chrono::system_clock::now());
}

}  // namespace

std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options) {
  return write_pdf_bytes(print::pdf_bytes(print::list_document(viewer, now())), options);
}

std::string write_transfers_pdf(const viewer::Viewer& viewer, const viewer::TransferSheet& sheet,
                                const ExportOptions& options) {
  return write_pdf_bytes(print::pdf_bytes(print::transfers_document(viewer, sheet, now())),
                         options);
}

}  // namespace noemie::cli
