#pragma once
// The transfer list: one line per bank transfer of the rows a list shows, with the cells a
// practice checks against its bank statement (how many rows, their AMO, AMC and Total in euros,
// the total the fund announced and the gap between the two). Worked out from the rows' cells
// as the list shows them and from the transfer each row's entry belongs to (BlockTransfer).

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/viewer/list_control.h"

namespace noemie::viewer {

// A transfer as a file holds it: the file's bare name (Windows-1252) and the transfer's place
// among its 07x records. The same from one fill to the next while the file does not change.
struct TransferKey {
  std::string file_name;
  std::int32_t position = 0;
  auto operator<=>(const TransferKey&) const = default;
};

// One line of the transfer list. Amounts are euro cents; an amount in francs was converted
// row by row as the summary converts it.
struct TransferLine {
  TransferKey key;
  std::string date;       // the accounting date, as the "Date Comptable" column shows it
  std::string reference;  // see BlockTransfer::reference
  std::string caisse;     // the "Caisse" cell of its rows
  std::string fichier;    // the "Fichier" cell of its rows
  int rows = 0;           // its rows among those counted
  std::int64_t amo = 0;   // sums of its rows' "AMO", "AMC" and "Total" cells
  std::int64_t amc = 0;
  std::int64_t total = 0;
  std::optional<std::int64_t> announced;  // the total its closing record announced

  // The announced total minus the rows' Total, when there is an announced total.
  std::optional<std::int64_t> gap() const {
    return announced ? std::optional<std::int64_t>(*announced - total) : std::nullopt;
  }
  bool operator==(const TransferLine&) const = default;
};

// The lines of the rows of `list` that `keep` accepts (each row counted among all rows, shown
// or not), in the order of each transfer's first row as the last fill left the list, before any
// sort by a column. Rows of no transfer count in no line.
std::vector<TransferLine> transfer_lines(const ListControl& list,
                                         const std::function<bool(int all_row)>& keep);

// The lines of the rows `list` shows.
std::vector<TransferLine> transfer_lines(const ListControl& list);

// The sums of a transfer list: lines, rows and amounts; the announced totals and the gaps of
// the lines that have one (none when no line has).
struct TransferTotals {
  int transfers = 0;
  int rows = 0;
  std::int64_t amo = 0;
  std::int64_t amc = 0;
  std::int64_t total = 0;
  std::optional<std::int64_t> announced;
  std::optional<std::int64_t> gap;
};
TransferTotals transfer_totals(const std::vector<TransferLine>& lines);

}  // namespace noemie::viewer
