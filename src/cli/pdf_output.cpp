#include "cli/pdf_output.h"

#include <chrono>
#include <string_view>

#include "cli/export_output.h"
#include "core/store/atomic_file.h"
#include "print/list_layout.h"
#include "print/pdf_writer.h"

namespace noemie::cli {

std::string write_pdf(const viewer::Viewer& viewer, const ExportOptions& options) {
  const std::string pdf = print::pdf_bytes(
      print::list_document(viewer, print::local_date(std::chrono::system_clock::now())));
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return sink(pdf);
  };
  // A regular file is replaced whole or not at all, as the other formats' files are.
  return write_output(options.output, bytes, false, [&](const std::filesystem::path& target) {
    return store::write_file_atomically(target, pdf);
  });
}

}  // namespace noemie::cli
