#pragma once
// The core's Dialogs with Qt: QMessageBox, QFileDialog::getExistingDirectory,
// QFileDialog::getSaveFileName and QFileDialog::getOpenFileName. Every dialog is modal to the owner
// window when one is set (the viewer window once it exists); texts come in and go out as
// Windows-1252.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/platform/dialogs.h"

namespace noemie::gui {

class QtDialogs final : public platform::Dialogs {
 public:
  explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}

  // The window the dialogs are modal to; nullptr for none (the start-up folder chooser).
  void set_owner(QWidget* owner) { owner_ = owner; }
  QWidget* owner() const { return owner_.data(); }

  // A QMessageBox with `caption`, `icon` and a single OK button.
  void message_box(std::string_view text, std::string_view caption,
                   platform::MessageIcon icon) override;

  // Folders only, opened on `start`; the chosen folder's full path without a trailing
  // separator, or nullopt on cancel.
  std::optional<std::filesystem::path> choose_folder(std::string_view title,
                                                     const std::filesystem::path& start) override;

  // Filters as "description (pattern)", the first one preselected, opened in `folder`;
  // asks before an existing file is overwritten. nullopt on cancel.
  std::optional<std::filesystem::path> choose_save_file(
      std::string_view title, const std::vector<platform::FileFilter>& filters,
      const std::filesystem::path& folder) override;

  // An existing file, with the filters as the save dialog shows them, opened in `folder`.
  // nullopt on cancel.
  std::optional<std::filesystem::path> choose_open_file(
      std::string_view title, const std::vector<platform::FileFilter>& filters,
      const std::filesystem::path& folder) override;

 private:
  QPointer<QWidget> owner_;
};

// Makes Qt's own texts French, as every other text of the program is: French (France) as the
// default locale, and Qt's French translations ("qtbase_fr.qm" in Qt's translations folder)
// installed in the application, so that the folder chooser, the save dialog and the buttons
// of message boxes speak French. Where the platform has native dialogs Qt uses them, in the
// platform's language. Needs the QApplication; false when the translations are not installed
// (Qt's texts then stay English).
bool install_french_translations();

// A file chooser's filter text for one filter: "Fichiers Texte (*.TXT)". The pattern
// "*.*" means every file, as on the system the filters were written for, so it is given
// to Qt as "*" (Qt's "*.*" would leave out names without a dot); several patterns, separated
// by ";" there, are separated by blanks for Qt.
QString save_filter_text(const platform::FileFilter& filter);

}  // namespace noemie::gui
