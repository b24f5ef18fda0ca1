#include "gui/desktop_main.h"

#include <QApplication>
#include <QMessageBox>

namespace noemie::gui {

int run_desktop(int argc, char** argv) {
  QApplication app(argc, argv);
  QMessageBox::information(nullptr, "noemie-viewer", "The desktop viewer is not built yet.");
  return 0;
}

}  // namespace noemie::gui
