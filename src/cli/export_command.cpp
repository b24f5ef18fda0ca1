#include "cli/export_command.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/console.h"
#include "cli/export_options.h"
#include "cli/export_output.h"
#include "cli/fault_line_reporter.h"
#include "cli/headless_list.h"
#include "cli/headless_run.h"
#include "cli/pdf_output.h"
#include "core/decode/table_places.h"
#include "core/noemie/version.h"
#include "core/platform/absolute_path.h"
#include "core/platform/clock.h"
#include "core/platform/folder_listing.h"
#include "core/platform/path_text.h"
#include "core/platform/program_file.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/text/cp1252.h"
#include "core/viewer/viewer.h"

namespace noemie::cli {
namespace {

namespace fs = std::filesystem;

// Writes the list where --output says; "" or a one-line error (UTF-8).
std::string write_output(const viewer::Viewer& viewer, const ExportOptions& options) {
  // The bytes are written as they are made, a few thousand rows at a time.
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return viewer.stream_export(options.mode, sink);
  };
  switch (output_kind(options.output)) {
    case OutputKind::StandardOutput:
      // A terminal reads its own encoding; a file or a pipe gets the export's bytes.
      if (is_terminal(stdout)) return write_to_terminal(stdout, bytes);
      return write_to_stream(stdout, bytes, "standard output");
    case OutputKind::Folder:
      return "cannot write the export to " + options.output + ": it is a folder";
    case OutputKind::Special:
      return write_in_place(platform::path_from_native_text(options.output), bytes);
    case OutputKind::RegularFile:
      break;
  }
  // The viewer's own export file writing: the file is replaced whole or not at all.
  return text::cp1252_to_utf8(
      viewer.write_export(platform::path_from_native_text(options.output), options.mode));
}

int run_export(const ExportOptions& options) {
  HeadlessList list(options);
  if (const std::optional<int> status = list.fill()) return *status;
  const std::string error =
      options.pdf ? write_pdf(list.viewer(), options) : write_output(list.viewer(), options);
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
