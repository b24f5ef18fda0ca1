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
#include "cli/headless_dialogs.h"
#include "cli/headless_run.h"
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

// "" when `folder` (as given) is a folder whose entries can be listed, else why not.
std::string folder_problem(const std::string& folder) {
  const std::error_code ec = platform::check_folder(platform::path_from_native_text(folder));
  if (!ec) return {};
  if (ec == std::errc::no_such_file_or_directory) return "the folder " + folder + " does not exist";
  if (ec == std::errc::not_a_directory) return folder + " is not a folder";
  return "cannot read the folder " + folder + ": " + ec.message();
}

// Writes the list where --output says; "" or a one-line error (UTF-8).
std::string write_output(const viewer::Viewer& viewer, const ExportOptions& options) {
  // The bytes are written as they are made, a few thousand rows at a time.
  const ByteMaker bytes = [&](const std::function<bool(std::string_view)>& sink) {
    return viewer.stream_export(options.mode, sink);
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
  // The viewer's own export file writing: the file is replaced whole or not at all.
  return text::cp1252_to_utf8(
      viewer.write_export(platform::path_from_native_text(options.output), options.mode));
}

int run_export(const ExportOptions& options) {
  if (const std::string problem = folder_problem(options.folder); !problem.empty()) {
    print_error(problem);
    return kExitUsage;
  }
  // Fault lines name each file by its full path.
  const fs::path folder = platform::absolute_path(platform::path_from_native_text(options.folder));

  HeadlessDialogs dialogs;
  FaultLineReporter reporter(stderr);
  const std::unique_ptr<store::Registry> registry = open_settings_store();
  const fs::path program = platform::running_program_file();
  store::Settings settings(*registry, dialogs, platform::path_to_setting(program));
  settings.lit_config();
  if (options.kind_mask) {
    settings.config.noemie_rsp_aff =
        static_cast<std::int8_t>(static_cast<std::uint8_t>(*options.kind_mask));
  }
  if (options.abrege) settings.config.noemie_abrege = *options.abrege ? 1 : 0;
  store::ResultTitles titles;
  titles.init_txt_idx();
  store::FlagStore flags(*registry, dialogs);
  const platform::SystemClock clock;

  viewer::ViewerOptions viewer_options;
  viewer_options.folder = folder;
  const decode::TableFiles tables = decode::find_table_files(decode::table_places(program));
  viewer_options.regime_table = tables.regime_table;
  viewer_options.fund_directory = tables.fund_directory;
  viewer_options.may_write = false;
  viewer_options.window_title = viewer_caption();
  viewer::Viewer viewer(settings, flags, titles, reporter, dialogs, clock, viewer_options);

  // One fill with the asked filters and the widths stored for the kind filter: the list the
  // viewer shows once the user has picked them.
  viewer.open(options.type_liste, options.type_date);
  if (!viewer.folder_error().empty()) {
    // The folder could be listed a moment ago and no longer can: nothing sound to write.
    print_error(text::cp1252_to_utf8(viewer.folder_error()));
    return kExitUsage;
  }
  for (const int column : options.sorts) viewer.sort_colonne(column);

  if (const std::string error = write_output(viewer, options); !error.empty()) {
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
