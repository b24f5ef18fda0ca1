// qt_screenshot_tour PICTURES [FOLDER]: the desktop viewer, run as `noemie-viewer [FOLDER]`
// runs it, with the screenshot tour driving its window; the pictures go to the folder
// PICTURES. Exit status: the viewer's, or 3 when a picture could not be taken.

#include <QString>

#include <cstdio>
#include <memory>
#include <vector>

#include "gui/desktop_main.h"
#include "gui/qt_front.h"
#include "screenshots/qt_tour.h"

int main(int argc, char** argv) {
  using noemie::gui::ScreenshotTour;
  if (argc < 2) {
    std::fprintf(stderr, "usage: qt_screenshot_tour PICTURES [FOLDER]\n");
    return 2;
  }
  const QString pictures = QString::fromLocal8Bit(argv[1]);
  // The viewer's own arguments: the program's name and FOLDER, if any.
  std::vector<char*> args{argv[0]};
  args.insert(args.end(), argv + 2, argv + argc);
  args.push_back(nullptr);
  return noemie::gui::run_desktop(argc - 1, args.data(), [&pictures](noemie::gui::QtFront& front) {
    auto tour = std::make_unique<ScreenshotTour>(pictures);
    front.set_window_shown_hook(
        [tour = tour.get()](noemie::gui::ViewerWindow& window) { tour->start(window); });
    return tour;
  });
}
