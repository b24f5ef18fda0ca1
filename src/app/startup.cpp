#include "gui/startup.h"

#include <QEventLoop>

#include <system_error>

#include "gui/text_bridge.h"
#include "gui/viewer_window.h"

namespace noemie::gui {

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
                              to_cp1252(path_to_qstring(*folder_argument)),
                          to_cp1252(ViewerWindow::caption()), platform::MessageIcon::Warning);
    }
  }
  if (!folder) folder = dialogs.choose_folder(kFolderChooserTitle, program.folder_setting());
  if (!folder) return 1;

  program.set_folder(*folder);
  program.run_viewer();
  program.save_settings();
  return 0;
}

void run_until_closed(ViewerWindow& window) {
  if (window.has_closed()) return;
  QEventLoop loop;
  QObject::connect(&window, &ViewerWindow::closed, &loop, &QEventLoop::quit);
  window.show();
  loop.exec();
}

}  // namespace noemie::gui
