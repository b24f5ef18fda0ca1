#pragma once
// A guided tour of the viewer window that saves pictures of it as PNG files, for
// scripts/screenshot. It drives the desktop program of the viewer (run_desktop) from the
// front end's hooks, in a program of its own (qt_screenshot_tour); the viewer never makes one.
//
// The tour works as a user would: it moves the pointer (tooltips come from Qt's own hover
// timer), clicks the controls and double-clicks a cell. Every error dialog and message box is
// pictured the first time one opens and then closed with its OK button; the folder chooser is
// pictured and answered with the folder it opened on. Pictures are taken from the screen, so
// window frames, tooltips and menus are on them:
//   folder-chooser.png the start-up folder chooser "Répertoire à visualiser"
//   error-dialog.png   the error dialog a faulty return file raises during the first fill
//   viewer.png         the full list with a selected row
//   tooltip.png        the tooltip of a "Réf" cell;  tooltip-amount.png  of an amount cell
//   export-menu.png    the menu "Exporter" opens
//   detail-box.png     the message box of a double-click on a "Réf" cell
//   viewer-rejets.png  the list under the "Rejets" filter
//   refill-error-dialog.png  the window behind the error dialog of the refill that "Toutes"
//                      starts, with the rows listed before the faulty file
//   viewer-find.png    the list narrowed by the find field, the summary line under it
//   find-line.png      the find line with the text typed;  status-line.png  the summary line
//   print-preview.png  the print preview of those rows
//   transfers.png      the transfers window over every row, its first transfer ticked
//   viewer-transfer.png  the list narrowed to a transfer by a double-click on its line
// The window is then closed the normal way (flags and settings saved).

#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>

#include "gui/desktop_main.h"

class QPoint;
class QRect;
class QWidget;

namespace noemie::gui {

class ViewerWindow;

class ScreenshotTour final : public QObject, public WindowDriver {
  Q_OBJECT

 public:
  // Pictures go to `folder` (made when missing). Watches the whole application for dialogs
  // from now on.
  explicit ScreenshotTour(const QString& folder, QObject* parent = nullptr);
  ~ScreenshotTour() override;

  // Starts the tour of `window`, which must be shown.
  void start(ViewerWindow& window);

  // False when a picture could not be saved or a step found nothing to picture.
  bool succeeded() const { return ok_; }
  // 3 when the tour failed, else the start-up's status.
  int exit_status(int startup_status) const override { return ok_ ? startup_status : 3; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs `step` `delay_ms` after the previous one has run.
  void then(int delay_ms, std::function<void()> step);
  void run_next();
  void save(const QRect& area, const char* name);
  // Pictures the child of the window named `object_name`, with a margin of the window around.
  void save_part(const char* object_name, const char* name);
  // Closes an error dialog or message box as its OK button does.
  void close_dialog(QWidget* dialog);
  // Pictures the error dialog of a refill in front of the window, then closes it.
  void picture_refill_dialog(QWidget* dialog);
  // Pictures the folder chooser once, then chooses the folder it shows.
  void answer_folder_chooser(QWidget* chooser);
  // Moves the pointer to the cell and waits for its tooltip; false when the cell has no text.
  bool hover_cell(int row, int column);
  // The first row whose cell (row, column) has a tooltip holding `wanted`; -1 when none.
  int row_with_tooltip(int column, const QString& wanted) const;
  QRect window_area() const;

  QString folder_;
  QPointer<ViewerWindow> window_;
  std::deque<std::pair<int, std::function<void()>>> steps_;
  bool error_dialog_pictured_ = false;
  bool message_box_pictured_ = false;
  bool folder_chooser_pictured_ = false;
  int chooser_waits_ = 0;
  // The next error dialog is pictured with the window behind it.
  bool refill_dialog_wanted_ = false;
  bool ok_ = true;
};

}  // namespace noemie::gui
