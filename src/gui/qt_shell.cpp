#include "gui/qt_shell.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QUrl>

namespace noemie::gui {

void QtShell::open_url(std::string_view url) {
  // Tolerant parsing keeps valid %XX escapes as they are and only encodes stray bytes.
  const QUrl link = QUrl::fromEncoded(QByteArray(url.data(), static_cast<qsizetype>(url.size())));
  if (!link.isValid()) return;
  QDesktopServices::openUrl(link);
}

}  // namespace noemie::gui
