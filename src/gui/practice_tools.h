#pragma once
// What the practice does with the list, around it in the viewer window (the tool strip stays as
// it is): a line above the list with the find field ("Rechercher", Ctrl+F focuses it, Escape
// clears it), the "Actualiser" (F5), "Imprimer…" (Ctrl+P, through a print preview) and
// "Virements…" (the transfers window, which then follows the list) buttons;
// "Fichier PDF" in the export menu; the summary of the rows shown in a status line
// under the list; Ctrl+A selects every row shown. While the window is open, return files that
// arrive, change or go in the folder refresh the list by themselves, once they have stopped
// changing.

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

#include "app/pdf_save.h"
#include "app/practice_wiring.h"

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QPushButton;

namespace noemie::viewer {
class Viewer;
}

namespace noemie::gui {

class TransfersWindow;
class ViewerWindow;

class PracticeTools final : public QObject, private app::PracticeHost {
  Q_OBJECT

 public:
  // The delay between two looks at a changed folder, and between two looks when nothing was
  // heard from the system (a file rewritten in place is not always told).
  static constexpr int kSettleMs = app::kSettleMs;
  static constexpr int kPollMs = app::kPollMs;

  // Puts its controls in `window`, of which it becomes a child. `viewer` must outlive it.
  PracticeTools(ViewerWindow& window, viewer::Viewer& viewer);
  ~PracticeTools() override;

  QLineEdit* find_field() const { return find_; }
  QLabel* status_line() const { return status_; }

  // "Actualiser": refills from the folder keeping the sort, the find, the selection and the
  // first row in sight. `automatic` when the folder changed and the user asked nothing.
  void refresh(bool automatic);
  // "Imprimer…": the print preview of the rows shown, from which they are printed.
  void print_preview();
  // "Fichier PDF": asks for a file and writes the PDF of the rows shown.
  void save_pdf();
  // "Virements…": the transfers window, made the first time.
  void open_transfers();
  // The transfers window; nullptr until it is first opened.
  TransfersWindow* transfers_window() const { return transfers_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // app::PracticeHost
  void start_look_timer(int ms) override;
  bool look_timer_active() const override { return look_timer_.isActive(); }
  bool dialog_or_menu_open() const override;
  int top_row() const override;
  void show_top_row(int row) override;
  void show_summary(const std::string& text) override;
  void show_find_text(const std::string& text) override;

  void make_controls();
  // The rows shown changed: the status line and the transfers window follow, once the change
  // is over.
  void rows_changed();

  ViewerWindow& window_;
  viewer::Viewer& viewer_;
  QLineEdit* find_ = nullptr;
  QPushButton* refresh_button_ = nullptr;
  QPushButton* print_button_ = nullptr;
  QPushButton* transfers_button_ = nullptr;
  TransfersWindow* transfers_ = nullptr;  // a child of the viewer window
  app::PdfSave pdf_save_;
  QLabel* status_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  QTimer look_timer_;
  QTimer poll_timer_;
  bool rows_change_due_ = false;
  app::PracticeWiring wiring_;
};

}  // namespace noemie::gui
