// The viewer's commands: opening and closing, the filter controls, the column widths, the
// sort, the double-click, the tooltips and the marking.

#include "core/viewer/viewer.h"

#include <cstdio>

#include "core/noemie/version.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/viewer/column_hit.h"
#include "core/viewer/marking.h"
#include "core/viewer/row_detail.h"
#include "core/viewer/sort.h"

namespace noemie::viewer {
namespace {

// The row of `info_result` that holds the widths of kind filter `type_liste`, or -1 when
// that filter has no row.
int width_row(int type_liste) {
  const int row = type_liste + 3;
  return row >= 0 && row < store::kInfoResultRows ? row : -1;
}

std::int32_t& stored_width(store::Config& config, int row, int column) {
  return config.info_result[static_cast<std::size_t>(row * store::kInfoResultColumns + column)];
}

}  // namespace

Viewer::Viewer(store::Settings& settings, store::FlagStore& flags,
               const store::ResultTitles& titles, FaultReporter& reporter,
               platform::Dialogs& dialogs, const platform::Clock& clock, ViewerOptions options)
    : settings_(settings),
      flags_(flags),
      titles_(titles),
      dialogs_(dialogs),
      clock_(clock),
      options_(std::move(options)),
      reporter_(reporter) {}

void Viewer::open(int type_liste, int type_date) {
  set_up_list(type_liste, type_date);
  remplit_aff();
}

void Viewer::set_up_list(int type_liste, int type_date) {
  filter_.type_liste = type_liste;
  flags_.lit_info_traite(settings_.config, options_.may_write);
  filter_.type_date = type_date;
  init_aff();
}

void Viewer::close(const WindowRect& rect) {
  if (options_.may_write) {
    const store::FlagSaveResult saved = flags_.ecrit_info_traite(settings_.config);
    if (!saved.saved) say_flags_not_saved(saved.file);
  }
  enreg_taille_col();
  ferme_noemie(rect);
  clean_items();
}

void Viewer::sort_colonne(int column) {
  sort_column_ = column;
  list_.begin_reset();
  // Rows a find hides are sorted too: they come back in order when the find is cleared.
  const bool narrowed = list_.narrowed();
  if (narrowed) list_.show_every_row_for_reorder();
  try {
    sort_rows(list_, column);
  } catch (...) {
    if (narrowed) list_.hide_again();
    list_.end_reset();
    throw;
  }
  if (narrowed) list_.hide_again();
  list_.end_reset();
}

void Viewer::lit_taille_col() {
  const int row = width_row(filter_.type_liste);
  if (row < 0) return;
  for (int c = 0; c < kColumnCount; ++c) {
    const auto stored = static_cast<std::uint32_t>(stored_width(settings_.config, row, c));
    list_.set_column_width(c, static_cast<int>(stored & 0xFFFFu));
  }
}

void Viewer::enreg_taille_col() {
  const int row = width_row(filter_.type_liste);
  if (row >= 0) {
    for (int c = 0; c < kColumnCount; ++c) {
      stored_width(settings_.config, row, c) = list_.column_width(c);
    }
  }
  if (options_.may_write) settings_.ecrit_config();
}

void Viewer::ferme_noemie(const WindowRect& rect) {
  settings_.config.noemie_pos_x = rect.x;
  settings_.config.noemie_pos_y = rect.y;
  settings_.config.noemie_taille_x = rect.width;
  settings_.config.noemie_taille_y = rect.height;
  if (options_.may_write) settings_.ecrit_config();
}

void Viewer::choose_kind_filter(int type_liste) {
  // The widths go with the filter that was shown.
  enreg_taille_col();
  filter_.type_liste = type_liste;
  remplit_aff();
}

void Viewer::choose_age_filter(int type_date) {
  filter_.type_date = type_date;
  remplit_aff();
}

void Viewer::choose_kind_mask(int mask) {
  settings_.config.noemie_rsp_aff = static_cast<std::int8_t>(mask);
  remplit_aff();
}

void Viewer::choose_abrege(bool on) {
  enreg_taille_col();
  settings_.config.noemie_abrege = on ? 1 : 0;
  if (options_.may_write) settings_.ecrit_config();
  remplit_aff();
}

bool Viewer::abrege() const {
  return settings_.config.noemie_abrege != 0;
}

void Viewer::list_click(int row, int x_in_row) {
  if (row < 0 || row >= list_.row_count()) return;
  const int column = column_at(list_, x_in_row);
  if (column == kNoColumn) return;
  if (column == kColTraite) {
    if (step_processed_state(list_, flags_, row)) save_marks();
    return;
  }
  const FundDirectory funds{options_.fund_directory, options_.may_write};
  if (const auto box = detail_box(list_, row, column, funds)) {
    dialogs_.message_box(box->text, box->caption, box->icon);
  }
}

std::string Viewer::listage_tooltip(int row, int x_in_row) const {
  if (row < 0 || row >= list_.row_count()) return {};
  const int column = column_at(list_, x_in_row);
  if (column == kNoColumn) return {};
  return tooltip_text(list_, row, column,
                      FundDirectory{options_.fund_directory, options_.may_write});
}

void Viewer::marque_traitee(int state) {
  viewer::marque_traitee(list_, flags_, dialogs_, state);
  save_marks();
}

void Viewer::save_marks() {
  if (!options_.may_write || !flags_.has_changes()) return;
  const store::FlagSaveResult saved = flags_.ecrit_info_traite(settings_.config);
  if (saved.saved) {
    marks_failure_said_ = false;
    return;
  }
  // Not once per click while a share is down: the changes wait for the next save anyway.
  if (marks_failure_said_) return;
  marks_failure_said_ = true;
  say_flags_not_saved(saved.file);
}

void Viewer::say_flags_not_saved(const std::filesystem::path& file) {
  dialogs_.message_box(store::flag_save_failure_message(file), store::kFlagSaveFailedCaption,
                       platform::MessageIcon::Warning);
}

}  // namespace noemie::viewer
