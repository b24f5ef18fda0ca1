#include "gui/desktop_main.h"

#include <QApplication>
#include <QStringList>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "app/engine_program.h"
#include "app/startup.h"
#include "core/platform/clock.h"
#include "core/platform/program_file.h"
#include "core/store/reg_file_registry.h"
#include "gui/list_images.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_front.h"
#include "gui/qt_shell.h"
#include "gui/text_bridge.h"
#include "gui/window_placement.h"

namespace noemie::gui {
namespace {

// FOLDER of `noemie-viewer FOLDER`: the first argument Qt has not taken for itself.
std::optional<std::filesystem::path> folder_argument(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (!arguments[i].startsWith(QLatin1Char('-'))) return qstring_to_path(arguments[i]);
  }
  return std::nullopt;
}

}  // namespace

int run_desktop(int argc, char** argv, const WindowDriverMaker& make_driver) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("noemie-viewer"));
  QGuiApplication::setDesktopFileName(QStringLiteral(NOEMIE_APP_ID));
  QApplication::setWindowIcon(window_icon());
  // The viewer runs in its own event loop, as a modal dialog does; the folder
  // chooser closing before it opens must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);
  if (!install_french_translations()) {
    std::cerr << "noemie-viewer: Qt's French translations (qtbase_fr.qm) are not installed; "
                 "Qt's own dialogs speak English\n";
  }

  QtDialogs dialogs;
  QtShell shell;
  const platform::SystemClock clock;
  const QtScreens screens;
  QtFront front(screens, [&dialogs](QWidget* owner) { dialogs.set_owner(owner); });
  app::EngineSetup setup;
  setup.settings_file = store::settings_file_path();
  setup.program_file = platform::running_program_file();
  app::EngineProgram program(setup, app::EngineServices{dialogs, shell, clock, front, std::cerr});

  std::unique_ptr<WindowDriver> driver = make_driver ? make_driver(front) : nullptr;
  int status = app::run_startup(program, dialogs, folder_argument(QApplication::arguments()));
  if (driver) status = driver->exit_status(status);
  return status;
}

}  // namespace noemie::gui
