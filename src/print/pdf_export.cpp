#include "print/pdf_export.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdlib>
#include <memory>

#include "core/text/cp1252.h"
#include "core/viewer/viewer.h"
#include "print/list_printout.h"

namespace noemie::print {

std::string pdf_bytes(const viewer::Viewer& viewer) {
  return pdf_bytes(viewer.list(), heading_of(viewer), viewer.options().window_title);
}

std::string pdf_bytes(const viewer::ListControl& list, const PrintHeading& heading,
                      std::string_view title) {
  // Painting text needs the fonts an application object finds; the headless command has none.
  std::unique_ptr<QGuiApplication> app;
  static int argc = 1;
  static char name[] = "noemie-viewer";
  static char* argv[] = {name, nullptr};
  QtMessageHandler previous = nullptr;
  if (QCoreApplication::instance() == nullptr) {
    // The toolkit's own notes (no runtime folder, ...) are nothing the command's user can act
    // on: its standard error keeps the fault lines only.
    previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
          if (type == QtFatalMsg) std::abort();
        });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QString::fromStdU16String(text::cp1252_to_utf16(title)));
    writer.setTitle(writer.creator());
    use_a4_landscape(writer);
    print_list(list, heading, writer);
  }
  if (app) {
    app.reset();
    qInstallMessageHandler(previous);
  }
  return buffer.data().toStdString();
}

}  // namespace noemie::print
