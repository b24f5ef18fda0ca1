#pragma once
// The transfer table as the transfers window shows it and as it is written: its columns and
// their cells, the line of totals, the credits of a bank statement that matched nothing, the
// line under the table, and the export in the list's three formats. The command `virements`
// writes the same table without the "Pointé" column.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bank/bank_statement.h"
#include "core/viewer/list_control.h"
#include "core/viewer/list_export.h"
#include "core/viewer/transfer_list.h"

namespace noemie::viewer {

// Title of the transfers window, of its printout and of its HTML export.
inline constexpr std::string_view kTransfersCaption = "Virements";
// The line that comes before the credits of a statement that matched no transfer.
inline constexpr std::string_view kUnmatchedCreditsTitle =
    "Cr\xE9"
    "dits non rapproch\xE9s";

enum class TransferColumn : int {
  Pointe,     // "Pointé": ticked or not ("oui" when written)
  Date,       // "Date comptable"
  Reference,  // "Référence"
  Caisse,
  Fichier,
  Lignes,
  Amo,
  Amc,
  Total,
  Annonce,  // "Annoncé": the announced total, empty without one
  Ecart,    // "Écart": the announced total minus Total, empty without one
  Releve,   // "Relevé": the date of the bank line matched
  Libelle,  // "Libellé": its text
};

enum class TransferSortKind { Text, Number, Date, Amount };

struct TransferColumnInfo {
  std::string_view title;  // Windows-1252
  int width = 0;           // pixels, as the text export and the window take it
  Align align = Align::Left;
  TransferSortKind sort = TransferSortKind::Text;
};
const TransferColumnInfo& transfer_column_info(TransferColumn column);

// The amount of a transfer that reaches the bank: its announced total, else its Total.
std::int64_t transfer_amount(const TransferLine& line);

struct TransferSheet {
  std::vector<TransferLine> lines;
  // Per line when set: ticked ("Pointé").
  std::vector<bool> ticked;
  // Per line when a statement was read: the credit it matched, if any.
  std::vector<std::optional<bank::BankCredit>> bank;
  // The statement's credits that matched no transfer.
  std::vector<bank::BankCredit> unmatched;
  bool with_ticks = false;      // a "Pointé" column first
  bool with_statement = false;  // "Relevé" and "Libellé" columns last, the unmatched credits

  // The columns in order.
  std::vector<TransferColumn> columns() const;
  // The text of a cell (Windows-1252). Amounts are euros with two decimals and a point.
  std::string cell(std::size_t line, TransferColumn column) const;
  bool is_ticked(std::size_t line) const { return line < ticked.size() && ticked[line]; }
  // The line of totals under the table, one cell per column: "Total", "N virements", the rows,
  // the sums of the amounts, of the announced totals and of the gaps.
  std::vector<std::string> totals_cells() const;
};

// The line under the table (Windows-1252): "N virements - total X € - pointés Y € - à pointer
// Z €", the amounts of the transfers (transfer_amount) in all, ticked and not ticked.
std::string transfer_status_text(const TransferSheet& sheet);

// The sheet written in `mode`, Windows-1252: the header line, one line per transfer, in text
// and HTML the line of totals, then, with a statement, the line "Crédits non rapprochés" and
// one line per credit that matched nothing (date, amount, text). Excel: each cell followed by a
// tab, each line ended by CR LF. `title` is the HTML title.
std::string transfer_sheet_bytes(const TransferSheet& sheet, ExportMode mode,
                                 std::string_view title = kTransfersCaption);

// The sheet as a list that the printing of the list draws (its columns in list columns 1 and
// on, column 0 and the columns past the sheet's at width 0), its lines then the line of
// totals and the unmatched credits. `list` must have no column yet.
void transfer_print_list(const TransferSheet& sheet, ListControl& list);

}  // namespace noemie::viewer
