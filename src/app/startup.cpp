#include "app/startup.h"

#include <system_error>

#include "core/noemie/version.h"
#include "core/platform/path_text.h"

namespace noemie::app {

std::filesystem::path folder_as_chosen(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(folder, ec);
  if (ec) full = folder;
  full = full.lexically_normal();
  // "/srv/retours/" normalises to "/srv/retours/" with an empty last element: drop it,
  // but keep a root as it is.
  if (!full.has_filename() && full.has_relative_path()) full = full.parent_path();
  return full;
}

int run_startup(DesktopProgram& program, platform::Dialogs& dialogs,
                const std::optional<std::filesystem::path>& folder_argument) {
  program.load_settings();

  std::optional<std::filesystem::path> folder;
  if (folder_argument) {
    std::error_code ec;
    if (std::filesystem::is_directory(*folder_argument, ec)) {
      folder = folder_as_chosen(*folder_argument);
    } else {
      dialogs.message_box("Le r\xE9pertoire suivant est introuvable :\r\n" +
                              platform::path_to_cp1252(*folder_argument),
                          viewer_caption(), platform::MessageIcon::Warning);
    }
  }
  if (!folder) folder = dialogs.choose_folder(kFolderChooserTitle, program.folder_setting());
  if (!folder) return 1;

  program.set_folder(*folder);
  program.run_viewer();
  program.save_settings();
  return 0;
}

}  // namespace noemie::app
