#pragma once
// What a double-click on a cell shows, and what a pointer resting on a cell explains. Both work
// from the texts and icons the list shows (the tooltip also from the row's entry), never from
// the return file itself.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/dialogs.h"
#include "core/viewer/list_control.h"

namespace noemie::store {
class FlagStore;
}

namespace noemie::viewer {

// Box captions of the detail.
inline constexpr std::string_view kRefBoxCaption =
    "Info r\xE9"
    "f\xE9rence";
inline constexpr std::string_view kFundBoxCaption = "Informations sur la caisse";
inline constexpr std::string_view kConversionBoxCaption = "Conversion F/\x80";
inline constexpr std::string_view kMessageBoxCaption = "Message";

// Characters of a cell that the detail and the tooltips read.
inline constexpr std::size_t kCellReadChars = 259;
// Longest tooltip text.
inline constexpr std::size_t kTooltipMaxChars = 499;

// The fund directory file and whether a lookup may create it empty when it is missing.
struct FundDirectory {
  std::filesystem::path path;
  bool create_if_missing = true;
};

// The regime, caisse and centre read back from the end of a "Caisse" cell of n characters:
// the characters n-10 and n-9, n-7 to n-5, n-3 to n-1, each group read as a plain integer
// (leading blanks, an optional sign, digits; nothing else gives 0). A position before the
// start of a short cell holds nothing.
struct FundNumbers {
  int regime = 0;
  int caisse = 0;
  int centre = 0;
  friend bool operator==(const FundNumbers&, const FundNumbers&) = default;
};
FundNumbers caisse_cell_numbers(std::string_view caisse_cell);

// A message box to show.
struct DetailBox {
  std::string text;  // Windows-1252
  std::string caption;
  platform::MessageIcon icon = platform::MessageIcon::None;
};

// The box a double-click on (`row`, `column`) shows: "Réf" (none for an empty cell), "Caisse"
// (even when the directory has no name), "Total", "AMO", "AMC" (none for an empty cell) and
// "Détail". Nothing for any other column (column 0 steps the processed state instead) or a
// row that does not exist.
std::optional<DetailBox> detail_box(const ListControl& list, int row, int column,
                                    const FundDirectory& funds);

// The processed-state step of a double-click on column 0 of `row`: when the row's reference
// kind is R and its icon is 6 to 9, the state of its file number (the leading number of its
// "Fichier" cell) goes one step on, and every row whose "Fichier" cell has that leading number
// shows icon 6 + the new state. Returns whether the step happened.
bool step_processed_state(ListControl& list, store::FlagStore& flags, int row);

// The tooltip text of (`row`, `column`), at most 499 characters; "" for no tip.
std::string tooltip_text(const ListControl& list, int row, int column, const FundDirectory& funds);

}  // namespace noemie::viewer
