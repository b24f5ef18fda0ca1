#pragma once
// The texts and icons of one list row, made from a parsed return file and one of its entries.
// These texts are a contract: the sort, the detail boxes, the tooltips, the marking and the
// export read numbers and amounts back from them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/decode/cell_format.h"
#include "core/noemie/return_record.h"
#include "core/viewer/row_block.h"

namespace noemie::decode {
class RegimeTable;
}

namespace noemie::viewer {

// Icons of the list's image strip that the fill puts in column 0.
inline constexpr int kIconAcknowledgedFile = 9;  // every row of a 930 file
inline constexpr int kIconArchivedFile = 12;     // RSX files
inline constexpr int kIconCondemnedFile = 13;    // RSZ and ARZ files

// The longest "Détail" cell.
inline constexpr std::size_t kDetailCellChars = decode::kDetailMaxChars;

// The cells that are the same for every entry of one file.
struct FileCells {
  std::string fichier;                   // column 1: number and date of the file
  decode::RefCell ref;                   // column 2 and its marker icon
  std::string caisse;                    // column 4: the fund
  char currency = decode::kFrancSymbol;  // 'F' for francs, the euro sign (0x80) for euros
};

// The file-level cells of `rec`, read from `file_name` (bare, Windows-1252) and `file_time`.
FileCells make_file_cells(const ReturnRecord& rec, std::string_view file_name,
                          std::int64_t file_time, const decode::RegimeTable& regimes);

// Adds the row of one entry to `block`, whose columns 1, 2 and 4 show the file's own cells
// (shared): cells 3 and 5 to 16, the entry's details and its transfer. A cell whose condition
// fails is empty. The fields are read up to their first NUL. Returns the row's index in the
// block.
std::size_t add_entry_row(const FileCells& file, const ReturnEntry& entry, RowBlock& block);

// The transfers of `rec`, in order, as a block of its rows keeps them (file_name: bare,
// Windows-1252). An announced total in francs is converted to euro cents.
std::vector<BlockTransfer> block_transfers(const ReturnRecord& rec, std::string_view file_name);

// A transfer's reference: each text up to its first NUL without its trailing blanks, the
// non-empty ones joined by one blank.
std::string transfer_reference(std::string_view ref1, std::string_view ref2, std::string_view ref3);

// The file kind icon of a name: from its last character, upper-case letters only: "P" gives 0,
// "X" gives 12 when the character before it is "S" and 0 otherwise, "Z" gives 13; any other
// last character (or an empty name) keeps `pattern_icon`.
int file_kind_icon(std::string_view file_name, int pattern_icon);

// The "Lot" cell: the number, or "-" for 0 and 999.
std::string lot_cell(std::int32_t num_lot);
// The "FSE" cell: the number when it is above 1 and not 999999999, else empty.
std::string fse_cell(std::int32_t num_facture);
// A rate cell "%d%%", empty for 0.
std::string rate_cell(std::int32_t rate);
// An amount cell, empty for 0.
std::string amount_cell(std::int64_t cents, char currency);

}  // namespace noemie::viewer
