#pragma once
// The real viewer window over the real list engine, on a temporary folder of synthetic
// return files (see ProgramFixture), with the Qt front end and one fake screen. Error dialogs
// are real (and modal): DialogWatch answers them.

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/error_dialog.h"
#include "gui/list_view.h"
#include "gui/qt_front.h"
#include "gui/viewer_controls.h"
#include "gui/viewer_window.h"
#include "gui/window_placement.h"
#include "program_fixture.h"

namespace noemie::testing {

class OneScreen final : public gui::Screens {
 public:
  QVector<QRect> geometries() const override { return {QRect(0, 0, 1920, 1080)}; }
  QRect primary_available() const override { return {0, 0, 1920, 1040}; }
};

// Answers every error dialog that opens: notes the path it names, runs `on_open` (when set)
// and presses "OK".
class DialogWatch final : public QObject {
 public:
  std::vector<QString> paths;
  std::vector<QWidget*> owners;
  std::function<void(gui::ErrorDialog&)> on_open;

  DialogWatch() { qApp->installEventFilter(this); }
  ~DialogWatch() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* dialog = qobject_cast<gui::ErrorDialog*>(watched);
    if (dialog && event->type() == QEvent::Show) {
      QTimer::singleShot(0, dialog, [this, dialog] {
        paths.push_back(dialog->findChild<QWidget*>(gui::control_name(2511))->toolTip());
        owners.push_back(dialog->parentWidget());
        if (on_open) on_open(*dialog);
        dialog->findChild<QPushButton*>(gui::control_name(2504))->click();
      });
    }
    return QObject::eventFilter(watched, event);
  }
};

struct EngineFixture : ProgramFixture {
  OneScreen screens;
  std::unique_ptr<gui::QtFront> front;

  using ProgramFixture::ProgramFixture;
  ~EngineFixture() override { program.reset(); }

  // A new program over the temporary folder and a new Qt front end.
  app::EngineProgram& make();
  // A started program: settings loaded, the returns folder chosen, the window open and shown.
  gui::ViewerWindow& start();

  gui::ViewerWindow& window() const { return *front->window(); }
  gui::ListView& view() const { return *window().list_view(); }
  template <typename T>
  T* control(int id) const {
    return window().findChild<T*>(gui::control_name(id));
  }
  // Clicks control `id` as a user would.
  void click(int id) const;
  // The centre of a cell in the list's viewport.
  QPoint cell_centre(int row, int column) const;
};

}  // namespace noemie::testing
