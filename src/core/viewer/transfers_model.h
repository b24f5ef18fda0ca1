#pragma once
// The transfers window without its toolkit: the table of the bank transfers of the rows the
// viewer shows, one line per transfer, with a "Pointé" check column first. Both front ends
// draw it and forward the user's actions to it; the window holds no state of its own.
//
// What a window does with it:
//   - on opening, and after every change of the list (fill, filter, find, refresh): refresh(),
//     then redraw every line (the sort and the statement's matches are kept);
//   - columns: column_count(), column_title(c), column_width(c), column_align(c); lines:
//     row_count(), cell(r, c) (the "Pointé" cell is "oui" or ""; a window shows it as a check
//     box from ticked(r)), red(r) for the lines drawn in red; the line under the table:
//     status_text();
//   - a click on a column title: sort(c); a click on a check box: set_ticked(r, on); a
//     double-click on a line: narrow_list_to(r) (the main list then shows that transfer's rows
//     and its find line viewer.transfer_narrowing_text(); Escape there calls
//     viewer.set_find_text(""), which gives the full list back);
//   - "Exporter": sav(mode); "Imprimer…": print_list(list) and status_text() for the summary
//     line, drawn as the main list is printed;
//   - "Relevé bancaire…": the window's open-file chooser with statement_filters(), then
//     apply_statement(file).
// Failures (a tick not saved, a statement or an export file that cannot be read or written)
// are said in a message box through the dialogs; nothing is lost.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/bank/bank_statement.h"
#include "core/platform/dialogs.h"
#include "core/store/tick_store.h"
#include "core/viewer/transfer_sheet.h"
#include "core/viewer/viewer.h"

namespace noemie::viewer {

// No column sorted yet.
inline constexpr int kNoSortColumn = -1;

class TransfersModel {
 public:
  // All three must outlive the model. load_ticks() then refresh() make the first table.
  TransfersModel(Viewer& viewer, store::TickStore& ticks, platform::Dialogs& dialogs);

  // Loads the ticks from their file; a file that cannot be read is said in a message box.
  void load_ticks();

  // Makes the table again from the rows the viewer shows now.
  void refresh();

  int column_count() const { return static_cast<int>(columns_.size()); }
  TransferColumn column(int c) const { return columns_.at(static_cast<std::size_t>(c)); }
  std::string_view column_title(int c) const { return transfer_column_info(column(c)).title; }
  int column_width(int c) const { return transfer_column_info(column(c)).width; }
  Align column_align(int c) const { return transfer_column_info(column(c)).align; }

  int row_count() const { return static_cast<int>(sheet_.lines.size()); }
  // The text of a cell (Windows-1252); "" outside the table.
  std::string cell(int row, int c) const;
  const TransferLine& line(int row) const { return sheet_.lines.at(static_cast<std::size_t>(row)); }
  bool ticked(int row) const { return sheet_.is_ticked(static_cast<std::size_t>(row)); }
  // True for a transfer whose announced total and Total differ.
  bool red(int row) const;
  // "N virements - total X € - pointés Y € - à pointer Z €".
  std::string status_text() const { return transfer_status_text(sheet_); }

  // Sorts the lines by column `c`, ascending and stable: texts in byte order, dates in calendar
  // order, amounts and counts as numbers (an empty amount first), ticked lines after the others.
  void sort(int c);
  int sort_column() const { return sort_column_; }

  // Ticks or unticks a transfer and saves the ticks at once.
  void set_ticked(int row, bool ticked);

  // Narrows the viewer's list to the rows of a transfer.
  void narrow_list_to(int row);

  // The table as its export writes it (the "Pointé" column with "oui"; with a statement, its
  // columns and the credits that matched nothing).
  const TransferSheet& sheet() const { return sheet_; }
  std::string export_bytes(ExportMode mode) const;
  // The export menu: the list's save dialog, then the table written whole or not at all.
  void sav(ExportMode mode);
  // The document the printing of the list draws.
  void print_list(ListControl& list) const { transfer_print_list(sheet_, list); }

  // The file types of a bank statement, for the window's open-file chooser.
  static std::vector<platform::FileFilter> statement_filters();
  // Reads a statement and matches its credits with the transfers: a matched transfer is ticked
  // (and saved) and shows the bank line's date and text; the credits that match nothing are
  // listed apart. A statement that cannot be read is said in a message box and changes
  // nothing; false then.
  bool apply_statement(const std::filesystem::path& file);

 private:
  store::TickKey tick_key(const TransferLine& line) const;
  void order_lines();
  void warn(const std::string& text) const;

  Viewer& viewer_;
  store::TickStore& ticks_;
  platform::Dialogs& dialogs_;
  TransferSheet sheet_;
  std::vector<TransferColumn> columns_;
  int sort_column_ = kNoSortColumn;
  // The credit each transfer matched in the last statement read.
  std::map<TransferKey, bank::BankCredit> matched_;
};

}  // namespace noemie::viewer
