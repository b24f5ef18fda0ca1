#include "cli/headless_list.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "cli/headless_run.h"
#include "core/decode/table_places.h"
#include "core/noemie/version.h"
#include "core/platform/absolute_path.h"
#include "core/platform/folder_listing.h"
#include "core/platform/heap_room.h"
#include "core/platform/path_text.h"
#include "core/platform/program_file.h"
#include "core/text/cp1252.h"

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

}  // namespace

HeadlessList::HeadlessList(const ExportOptions& options, bool write_once)
    : options_(options), streamed_(write_once && options.sorts.empty() && options.find.empty()) {}

bool HeadlessList::write_rows(viewer::ExportMode mode, const viewer::ExportSink& sink) {
  return streamed_ ? viewer_->stream_folder_export(mode, sink) : viewer_->stream_export(mode, sink);
}

HeadlessList::~HeadlessList() {
  // Freeing half a million rows block by block takes longer (5 ms) than the system takes to
  // reclaim the whole heap when the process ends. The viewer and what it reads stay reachable
  // from here, so that leak checkers see them as kept, not lost.
  struct Kept {
    std::unique_ptr<store::Registry> registry;
    std::unique_ptr<store::Settings> settings;
    std::unique_ptr<store::FlagStore> flags;
    std::unique_ptr<viewer::Viewer> viewer;
  };
  static std::vector<Kept>* const kept = new std::vector<Kept>;
  kept->push_back(
      {std::move(registry_), std::move(settings_), std::move(flags_), std::move(viewer_)});
}

std::optional<int> HeadlessList::fill() {
  if (const std::string problem = folder_problem(options_.folder); !problem.empty()) {
    print_error(problem);
    return kExitUsage;
  }
  // Fault lines name each file by its full path.
  const fs::path folder = platform::absolute_path(platform::path_from_native_text(options_.folder));

  registry_ = open_settings_store();
  const fs::path program = platform::running_program_file();
  settings_ =
      std::make_unique<store::Settings>(*registry_, dialogs_, platform::path_to_setting(program));
  settings_->lit_config();
  if (options_.kind_mask) {
    settings_->config.noemie_rsp_aff =
        static_cast<std::int8_t>(static_cast<std::uint8_t>(*options_.kind_mask));
  }
  if (options_.abrege) settings_->config.noemie_abrege = *options_.abrege ? 1 : 0;
  titles_.init_txt_idx();
  flags_ = std::make_unique<store::FlagStore>(*registry_, dialogs_);

  viewer::ViewerOptions viewer_options;
  viewer_options.folder = folder;
  const decode::TableFiles tables = decode::find_table_files(decode::table_places(program));
  viewer_options.regime_table = tables.regime_table;
  viewer_options.fund_directory = tables.fund_directory;
  viewer_options.may_write = false;
  viewer_options.window_title = viewer_caption();
  viewer_options.expect_memory = platform::expect_heap_use;
  viewer_options.keep_files_read = false;  // one fill
  viewer_ = std::make_unique<viewer::Viewer>(*settings_, *flags_, titles_, reporter_, dialogs_,
                                             clock_, viewer_options);

  // One fill with the asked filters and the widths stored for the kind filter: the list the
  // viewer shows once the user has picked them.
  if (streamed_) {
    viewer_->open_for_export(options_.type_liste, options_.type_date);
  } else {
    viewer_->open(options_.type_liste, options_.type_date);
  }
  if (!viewer_->folder_error().empty()) {
    // The folder could be listed a moment ago and no longer can: nothing sound to write.
    print_error(text::cp1252_to_utf8(viewer_->folder_error()));
    return kExitUsage;
  }
  for (const int column : options_.sorts) viewer_->sort_colonne(column);
  if (!options_.find.empty()) {
    // Typed in the terminal's encoding; found as the list shows its texts.
    viewer_->set_find_text(
        platform::path_to_cp1252(platform::path_from_native_text(options_.find)));
  }
  return std::nullopt;
}

}  // namespace noemie::cli
