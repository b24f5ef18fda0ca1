#include "core/viewer/marking.h"

#include <cstdint>
#include <unordered_set>

#include "core/decode/row_reference.h"
#include "core/platform/dialogs.h"
#include "core/store/flag_store.h"
#include "core/viewer/row_detail.h"

namespace noemie::viewer {
namespace {

bool shows_processed_state(int icon) {
  return icon >= store::kStateIconBase && icon <= store::kStateIconBase + 3;
}

std::uint64_t file_number_of(std::string_view fichier) {
  fichier = text::first_chars(fichier, kCellReadChars);
  // The number ends at the first blank anyway; cutting there first keeps the rule visible.
  fichier = fichier.substr(0, fichier.find(' '));
  return store::file_number(fichier);
}

}  // namespace

void marque_traitee(ListControl& list, store::FlagStore& flags, platform::Dialogs& dialogs,
                    int state) {
  std::unordered_set<std::uint64_t> remembered;
  std::size_t count = 0;  // a file with several selected rows counts once per row
  for (int r = 0; r < list.row_count(); ++r) {
    if (!list.selected(r)) continue;
    if (!shows_processed_state(list.icon(r, kColTraite))) continue;
    if (decode::get_type_ref_(list.cell(r, kColRef, kCellReadChars)) != 'R') continue;
    const std::uint64_t number = file_number_of(list.cell(r, kColFichier));
    remembered.insert(number);
    flags.rsp_traite_set_(number, state);
    if (++count == kMarkLimit) {
      dialogs.message_box(kMarkLimitText, kMarkLimitCaption, platform::MessageIcon::None);
      break;
    }
  }
  if (remembered.empty()) return;
  const int icon = store::kStateIconBase + (state == 0 ? 0 : 1);
  // Rows a find hides show the file's new state once they are shown again.
  for (int r = 0; r < list.all_row_count(); ++r) {
    if (!remembered.contains(file_number_of(list.all_cell(r, kColFichier)))) continue;
    if (list.all_icon(r, kColTraite) != icon) list.set_all_icon(r, kColTraite, icon);
  }
}

}  // namespace noemie::viewer
