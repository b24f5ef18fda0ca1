#include "gui/desktop_main.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <optional>

#include "gui/basic_program.h"
#include "gui/list_images.h"
#include "gui/qt_dialogs.h"
#include "gui/startup.h"
#include "gui/text_bridge.h"

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

int run_desktop(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("noemie-viewer"));
  QApplication::setWindowIcon(window_icon());
  // The viewer runs in its own event loop, as a modal dialog does; the folder
  // chooser closing before it opens must not end the program.
  QApplication::setQuitOnLastWindowClosed(false);
  // The program speaks French: Qt's own dialogs (file choosers, buttons) too, when the
  // translations are installed.
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  QTranslator qt_french;
  if (qt_french.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qt_french);
  }

  QtDialogs dialogs;
  BasicDesktopProgram program(dialogs);
  return run_startup(program, dialogs, folder_argument(QApplication::arguments()));
}

}  // namespace noemie::gui
