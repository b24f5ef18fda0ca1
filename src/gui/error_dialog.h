#pragma once
// The error dialog (`Noemie_Err_Dlg`) that shows a fault met while reading a return file:
// the file, the position of the fault, the description, the offset at which the message
// starts, and "Envoyer" to send a report to the author. Modal to its owner (the viewer
// window, so that no second fill can start while it is open); Enter and Escape do nothing;
// "OK" and the close box close it.
//
// "OK" comes first: it has the keyboard focus when the dialog opens and leads the tab order,
// so that Space, the usual way to dismiss a box, closes it.
//
// QtFront opens it for every fault the reader hands over (see app::FaultDialogReporter).

#include <QDialog>

#include <functional>

#include "core/noemie/fault_report.h"

class QLabel;
class QPushButton;

namespace noemie::gui {

class ErrorDialog final : public QDialog {
  Q_OBJECT

 public:
  // The caption of the dialog, "Erreur lors du traitement d'un retour NOEMIE".
  static QString caption();

  // Shows `fault`. `send` runs each time "Envoyer" is pressed (the dialog stays open); an
  // empty function leaves the button without effect.
  ErrorDialog(const FaultReport& fault, std::function<void()> send, QWidget* owner = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void()> send_;
};

}  // namespace noemie::gui
