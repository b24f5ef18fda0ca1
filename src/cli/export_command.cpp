#include "cli/export_command.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/export_options.h"
#include "cli/export_output.h"
#include "cli/headless_list.h"
#include "cli/headless_run.h"
#include "cli/pdf_output.h"
#include "core/text/cp1252.h"
#include "core/viewer/viewer.h"

namespace noemie::cli {
namespace {

namespace fs = std::filesystem;

// Writes the list where --output says; "" or a one-line error (UTF-8).
std::string write_output(HeadlessList& list, const ExportOptions& options) {
  // The bytes are written as they are made, a few thousand rows at a time.
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return list.write_rows(options.mode, sink);
  };
  // A regular file: the viewer's own export file writing.
  return cli::write_output(options.output, bytes, true, [&](const fs::path& target) {
    return text::cp1252_to_utf8(viewer::write_export_file(
        target, [&](const store::ByteSink& sink) { return list.write_rows(options.mode, sink); }));
  });
}

int run_export(const ExportOptions& options) {
  // A PDF is laid out from the whole list; the other forms are written as the files are read.
  HeadlessList list(options, !options.pdf);
  if (const std::optional<int> status = list.fill()) return *status;
  const std::string error =
      options.pdf ? write_pdf(list.viewer(), options) : write_output(list, options);
  if (!error.empty()) {
    print_error(error);
    return kExitNotWritten;
  }
  return kExitWritten;
}

}  // namespace

int run_export_command(int argc, char** argv) {
  // Nothing was written when the command fails: the export file is only ever replaced whole.
  return run_command(
      argc, argv, parse_export_arguments, print_export_help,
      [](const ParsedArguments& parsed) { return run_export(parsed.options); },
      "the export was not written");
}

}  // namespace noemie::cli
