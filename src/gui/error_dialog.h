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
// GuiFaultReporter opens it for every fault the reader hands over.

#include <QDialog>
#include <QPointer>

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

// A FaultReporter for the desktop: each report opens an ErrorDialog modal to `owner` and
// returns when the user has closed it. `send` is given the report when "Envoyer" is pressed.
class GuiFaultReporter final : public FaultReporter {
 public:
  using Send = std::function<void(const FaultReport&)>;
  // Told true just before a dialog opens and false once it has closed.
  using DialogWatch = std::function<void(bool open)>;

  explicit GuiFaultReporter(QWidget* owner = nullptr, Send send = {});

  // The window the dialogs are modal to; may change once the viewer window exists.
  void set_owner(QWidget* owner) { owner_ = owner; }
  void set_send(Send send) { send_ = std::move(send); }
  void set_dialog_watch(DialogWatch watch) { watch_ = std::move(watch); }

  void report(const FaultReport& fault) override;

 private:
  QPointer<QWidget> owner_;
  Send send_;
  DialogWatch watch_;
};

}  // namespace noemie::gui
