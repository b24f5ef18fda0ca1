#include "gui/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QTranslator>

#include "gui/text_bridge.h"

namespace noemie::gui {
namespace {

QMessageBox::Icon qt_icon(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Information:
      return QMessageBox::Information;
    case platform::MessageIcon::Warning:
      return QMessageBox::Warning;
    case platform::MessageIcon::Error:
      return QMessageBox::Critical;
    case platform::MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::message_box(std::string_view text, std::string_view caption,
                            platform::MessageIcon icon) {
  QMessageBox box(qt_icon(icon), to_qstring(caption), to_display_text(text), QMessageBox::Ok,
                  owner_.data());
  // Texts come from return files and tables: never read them as markup.
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

std::optional<std::filesystem::path> QtDialogs::choose_folder(std::string_view title,
                                                              const std::filesystem::path& start) {
  const QString chosen =
      QFileDialog::getExistingDirectory(owner_.data(), to_qstring(title), path_to_qstring(start));
  if (chosen.isEmpty()) return std::nullopt;
  return qstring_to_path(QDir::toNativeSeparators(QDir::cleanPath(chosen)));
}

bool install_french_translations() {
  const QLocale french(QLocale::French, QLocale::France);
  QLocale::setDefault(french);
  // Owned by the application: it serves as long as the application lives.
  auto* translator = new QTranslator(qApp);
  if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QApplication::installTranslator(translator);
}

QString save_filter_text(const platform::FileFilter& filter) {
  QStringList patterns = to_qstring(filter.pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& pattern : patterns) {
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
  }
  return to_qstring(filter.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

namespace {

// The filters of a file chooser as Qt takes them, the first one preselected.
struct QtFilters {
  QString all;
  QString selected;
};

QtFilters qt_filters(const std::vector<platform::FileFilter>& filters) {
  QStringList list;
  for (const platform::FileFilter& f : filters) list << save_filter_text(f);
  return {list.join(QStringLiteral(";;")), list.isEmpty() ? QString() : list.front()};
}

}  // namespace

std::optional<std::filesystem::path> QtDialogs::choose_save_file(
    std::string_view title, const std::vector<platform::FileFilter>& filters,
    const std::filesystem::path& folder) {
  QtFilters f = qt_filters(filters);
  const QString chosen = QFileDialog::getSaveFileName(owner_.data(), to_qstring(title),
                                                      path_to_qstring(folder), f.all, &f.selected);
  if (chosen.isEmpty()) return std::nullopt;
  return qstring_to_path(QDir::toNativeSeparators(chosen));
}

std::optional<std::filesystem::path> QtDialogs::choose_open_file(
    std::string_view title, const std::vector<platform::FileFilter>& filters,
    const std::filesystem::path& folder) {
  QtFilters f = qt_filters(filters);
  const QString chosen = QFileDialog::getOpenFileName(owner_.data(), to_qstring(title),
                                                      path_to_qstring(folder), f.all, &f.selected);
  if (chosen.isEmpty()) return std::nullopt;
  return qstring_to_path(QDir::toNativeSeparators(chosen));
}

}  // namespace noemie::gui
