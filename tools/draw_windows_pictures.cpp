// draw_windows_pictures OUT_FOLDER: writes the Windows front end's pictures as PNG files,
// drawn by the same code as the Qt front end's: the list's image strip at 16, 24 and 32
// pixels (strip_16.png, ...: 18 squares side by side) and the window icon at 16 to 256 pixels
// (icon_16.png, ...). scripts/windows-pictures turns them into the .bmp and .ico resources.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "gui/list_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_windows_pictures OUT_FOLDER\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  namespace gui = noemie::gui;
  for (int size : {16, 24, 32}) {
    QImage strip(size * gui::kImageCount, size, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (int i = 0; i < gui::kImageCount; ++i) {
      p.drawPixmap(i * size, 0, gui::draw_list_image(i, size));
    }
    p.end();
    if (!strip.save(QStringLiteral("%1/strip_%2.png").arg(out).arg(size))) return 1;
  }
  for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
    if (!gui::draw_window_icon(size).save(QStringLiteral("%1/icon_%2.png").arg(out).arg(size))) {
      return 1;
    }
  }
  return 0;
}
