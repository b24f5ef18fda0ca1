#pragma once
// The transfers window of the Qt viewer ("Virements", object name "transfersWindow"): a
// modeless window over the viewer window (its child, so that it stays above it and goes with
// it), which leaves the viewer's list free to look at while it is open. It draws
// app::TransfersWiring's table and forwards every action there:
//   - "Exporter" (a menu: text, Excel, HTML, PDF), "Imprimer…", "Relevé bancaire…";
//   - the table (TransfersTable in a tree view): a click on a title sorts; a check box
//     clicked, or Space on a line, ticks; a double-click on a line outside its check box, or
//     Enter, narrows the viewer's list to that transfer; lines with a gap are red;
//   - the line of totals under it, then the credits of a statement that matched no transfer
//     (with their label, shown only when there are some).
// Escape and the close box hide it; it comes back at the same place and size during the run.

#include <QWidget>

#include "app/transfers_wiring.h"
#include "gui/qt_dialogs.h"

class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;

namespace noemie::app {
class PracticeWiring;
}

namespace noemie::gui {

class TransfersTable;

class TransfersWindow final : public QWidget, private app::TransfersView {
  Q_OBJECT

 public:
  // Over `viewer_window`, its parent. `viewer` and `practice` must outlive it.
  TransfersWindow(QWidget& viewer_window, viewer::Viewer& viewer, app::PracticeWiring& practice);
  ~TransfersWindow() override;

  // Shows the window with the table made anew (the first time over the middle of the viewer
  // window), and gives it the focus.
  void open();
  // The viewer's list changed: the table follows while the window is open.
  void list_changed() { wiring_.list_changed(); }
  // The viewer closes: the window hidden, ticks not saved yet written (a failure said).
  void viewer_closing();

  const app::TransfersWiring& wiring() const { return wiring_; }
  QTreeView* table_view() const { return table_view_; }
  QLabel* status_line() const { return status_; }
  QTreeWidget* unmatched_list() const { return unmatched_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // app::TransfersView
  void show_table() override;
  void preview(const print::Document& document) override;

  void make_controls();
  void set_column_widths();

  QtDialogs dialogs_;
  app::TransfersWiring wiring_;
  TransfersTable* table_ = nullptr;
  QTreeView* table_view_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* unmatched_label_ = nullptr;
  QTreeWidget* unmatched_ = nullptr;
  int widths_set_for_ = 0;
  bool placed_ = false;
};

}  // namespace noemie::gui
