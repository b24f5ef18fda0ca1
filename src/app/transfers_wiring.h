#pragma once
// The transfers window ("Virements"), alike in every front end: the table of the bank
// transfers of the rows the viewer shows (viewer::TransfersModel), what its controls do, and
// how it follows the viewer's list. The window (TransfersView) only draws the model and
// forwards the user's actions here.
//
// The window is modeless: the user narrows the viewer's list to a transfer from it, then looks
// at the rows in the viewer, changes a filter or the find, and the table follows. Its ticks
// come from the tick file each time it opens (with this run's unsaved ones written first), so
// that it shows what other viewers ticked meanwhile; a tick is saved when it is made.

#include <filesystem>
#include <string>

#include "app/pdf_save.h"
#include "core/bank/bank_statement.h"
#include "core/platform/dialogs.h"
#include "core/store/tick_store.h"
#include "core/viewer/transfers_model.h"
#include "print/document.h"

namespace noemie::app {

class PracticeWiring;

class TransfersView {
 public:
  virtual ~TransfersView() = default;
  // Draws every line again from the model: the columns (a statement read adds two), the
  // lines, their check boxes and red texts, the line under the table, and the list of the
  // credits that matched nothing (hidden while there is none).
  virtual void show_table() = 0;
  // The print preview of `document`, from which it is printed; modal to the window.
  virtual void preview(const print::Document& document) = 0;
};

// A column of the list of the credits that matched nothing: "Date", "Montant", "Libellé".
struct CreditColumn {
  const char* title;  // Windows-1252
  int width;          // pixels at 100 % scaling
  viewer::Align align;
};
inline constexpr CreditColumn kCreditColumns[] = {{"Date", 77, viewer::Align::Left},
                                                  {"Montant", 98, viewer::Align::Right},
                                                  {"Libell\xE9", 560, viewer::Align::Left}};
inline constexpr int kCreditColumnCount = 3;

// The text of a credit's cell in column `column` of kCreditColumns (Windows-1252).
std::string credit_cell(const bank::BankCredit& credit, int column);

class TransfersWiring {
 public:
  // All three must outlive the object. `dialogs` are the transfers window's: its message boxes
  // and choosers. `practice` is the viewer window's find line, which says when the list is
  // narrowed to a transfer.
  TransfersWiring(viewer::Viewer& viewer, platform::Dialogs& dialogs, PracticeWiring& practice);

  // The window opens on `view` (which must stay until closed()): the ticks read from their
  // file, the table made and drawn. A tick file that cannot be read is said in a message box.
  void opened(TransfersView& view);
  // The window closed: it is drawn no more.
  void closed() { view_ = nullptr; }
  bool is_open() const { return view_ != nullptr; }

  const viewer::TransfersModel& model() const { return model_; }
  // The credits of the last statement read that matched no transfer.
  const std::vector<bank::BankCredit>& unmatched() const { return model_.sheet().unmatched; }

  // The rows the viewer shows changed (a fill, a filter, the find, a refresh, a sort): the
  // table follows while the window is open.
  void list_changed();

  // A click on the title of column `column`: the lines sorted by it.
  void title_clicked(int column);
  // A click on a line's check box, or Space on it: its tick turned over and saved.
  void tick_toggled(int row);
  // A double-click on a line (outside its check box), or Enter: the viewer's list narrowed to
  // the transfer's rows, and its find line saying so.
  void line_activated(int row);
  // An entry of the window's export menu (app::kExportMenuTexts): 0 text, 1 Excel, 2 HTML
  // (the save dialog of the list's export), 3 the PDF file of the table's printout.
  void export_chosen(int entry);
  // "Imprimer…": the preview of the table's printout.
  void print();
  // "Relevé bancaire…": a statement chosen (in the folder of the last one this run) and
  // matched with the transfers.
  void statement_asked();

  // The viewer window closes: ticks that could not be saved yet are tried once more, and a
  // failure is said in a message box.
  void viewer_closing();
  // The user's session ends: the same without a message box.
  void session_ending() { ticks_.save(); }

 private:
  void show();
  void warn(const std::string& problem);

  viewer::Viewer& viewer_;
  platform::Dialogs& dialogs_;
  PracticeWiring& practice_;
  store::TickStore ticks_;
  viewer::TransfersModel model_;
  PdfSave pdf_save_;
  std::filesystem::path statement_folder_;
  TransfersView* view_ = nullptr;
};

}  // namespace noemie::app
