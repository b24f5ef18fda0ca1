// The export menu and the headless export: the list written whole to a file, or not at all.

#include <new>

#include "core/platform/path_text.h"
#include "core/store/atomic_file.h"
#include "core/store/settings.h"
#include "core/viewer/folder_scan.h"
#include "core/viewer/ordered_work.h"
#include "core/viewer/viewer.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace noemie::viewer {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSaveDialogTitle = "Choisissez un fichier";

// Why a file could not be written, guessed from the state of its folder once the write has
// failed (the write itself only says that it failed).
std::string failure_reason(const fs::path& target) {
  std::error_code ec;
  if (fs::is_directory(target, ec)) return "un dossier porte d\xE9j\xE0 ce nom";
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const fs::file_status status = fs::status(folder, ec);
  if (status.type() == fs::file_type::not_found) return "le dossier n'existe pas";
  if (status.type() != fs::file_type::directory) return "le dossier n'en est pas un";
#ifndef _WIN32
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    return "l'\xE9"
           "criture dans le dossier est refus\xE9"
           "e";
  }
#endif
  return "l'\xE9"
         "criture a \xE9"
         "chou\xE9 (disque plein ou prot\xE9g\xE9 en \xE9"
         "criture ?)";
}

std::string failure_line(const fs::path& target, std::string_view reason) {
  return "Impossible d'\xE9"
         "crire le fichier " +
         display_name(target) + " : " + std::string(reason) + ".";
}

}  // namespace

std::string Viewer::export_bytes(ExportMode mode) const {
  return export_list(list_, mode, options_.window_title);
}

bool Viewer::stream_export(ExportMode mode, const ExportSink& sink) const {
  return write_list(list_, mode, options_.window_title, sink, work_threads(options_.fill_threads));
}

std::string Viewer::write_export(const fs::path& target, ExportMode mode) const {
  // The file is written as the export is made, a few thousand rows at a time.
  return write_export_file(target,
                           [&](const store::ByteSink& sink) { return stream_export(mode, sink); });
}

std::string write_export_file(const fs::path& target,
                              const std::function<bool(const store::ByteSink&)>& produce) {
  try {
    const std::string error = store::write_file_atomically(target, produce);
    if (error.empty()) return {};
  } catch (const std::bad_alloc&) {
    return failure_line(target, "m\xE9moire insuffisante");
  }
  return failure_line(target, failure_reason(target));
}

std::optional<fs::path> Viewer::choose_export_file(ExportMode mode) {
  const std::optional<fs::path> chosen =
      dialogs_.choose_save_file(kSaveDialogTitle, export_filters(mode),
                                platform::path_from_setting(settings_.config.path_result));
  if (!chosen) return std::nullopt;
  // The next export dialog opens where this file went.
  settings_.config.path_result = store::program_folder(platform::path_to_setting(*chosen));
  if (options_.may_write) settings_.ecrit_config();
  return platform::path_from_native_text(
      with_export_extension(platform::path_to_native_text(*chosen), mode));
}

void Viewer::show_export_failure(const std::string& error) {
  dialogs_.message_box(error +
                           "\r\nAucun fichier existant n'a \xE9t\xE9 modifi\xE9"
                           ".",
                       kViewerWarningCaption, platform::MessageIcon::Warning);
}

void Viewer::sav(ExportMode mode) {
  const std::optional<fs::path> target = choose_export_file(mode);
  if (!target) return;
  const std::string error = write_export(*target, mode);
  if (!error.empty()) show_export_failure(error);
}

}  // namespace noemie::viewer
