#pragma once
// The "traités" / "non-traités" buttons: the processed state of the files of the selected rows
// is set, and every row of those files shows the new state icon. Works from the texts and
// icons the list shows.

#include <cstddef>
#include <string_view>

#include "core/viewer/list_control.h"

namespace noemie::platform {
class Dialogs;
}
namespace noemie::store {
class FlagStore;
}

namespace noemie::viewer {

// File numbers remembered by one marking at most.
inline constexpr std::size_t kMarkLimit = 500;
// The message shown when the limit is reached.
inline constexpr std::string_view kMarkLimitText =
    "Trop d'\xE9l\xE9ments \xE0 marquer comme trait\xE9s";
inline constexpr std::string_view kMarkLimitCaption = "VL - Derudiv Uzuviz";

// Marks the files of the selected eligible rows (reference kind R, icon 6 to 9) with `state`
// (1 processed, 0 not processed), in list order, remembering at most 500 file numbers (the
// message box is shown once when the 500th is remembered, and the rest is left alone); then
// every row, selected or not, whose "Fichier" cell has a remembered leading number shows
// icon 6 for state 0 and 7 otherwise. The list is neither refilled nor sorted.
void marque_traitee(ListControl& list, store::FlagStore& flags, platform::Dialogs& dialogs,
                    int state);

}  // namespace noemie::viewer
