// Filling the list: the columns once, then every fill from scratch, pattern by pattern, file
// by file, entry by entry.

#include <algorithm>
#include <memory>
#include <new>

#include "core/decode/reference_table.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/viewer/folder_scan.h"
#include "core/viewer/row_cells.h"
#include "core/viewer/sort.h"
#include "core/viewer/viewer.h"

namespace noemie::viewer {
namespace {

// Bits of the kind mask `noemie rsp aff` that select file families.
constexpr unsigned kMaskRsp = 1;
constexpr unsigned kMaskArl = 4;

// Widest and narrowest column a stored width makes at creation.
constexpr int kMaxCreatedWidth = 1000;
constexpr int kNegativeCreatedWidth = 10;

constexpr std::string_view kOutOfMemoryText =
    "M\xE9moire insuffisante : la liste est incompl\xE8te.";

Align column_align(int column) {
  return (column >= kColFichier && column <= kColMalade) || column == kColDetail ? Align::Left
                                                                                 : Align::Right;
}

// What went wrong with the folder, in the user's words.
std::string folder_failure_reason(const std::error_code& error) {
  if (error == std::errc::no_such_file_or_directory) return "il n'existe pas";
  if (error == std::errc::not_a_directory) return "ce n'est pas un dossier";
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
    return "l'acc\xE8s est refus\xE9";
  }
  return "erreur syst\xE8me " + std::to_string(error.value());
}

}  // namespace

void Viewer::init_aff() {
  if (list_.column_count() == 0) {
    constexpr int row = store::kViewerTitleRow;
    for (int c = 0; c < kColumnCount; ++c) {
      int width = settings_.config
                      .info_result[static_cast<std::size_t>(row * store::kInfoResultColumns + c)];
      if (width > kMaxCreatedWidth) width = kMaxCreatedWidth;
      if (width < 0) width = kNegativeCreatedWidth;
      list_.insert_column(c, std::string(titles_.title(row, c)), column_align(c), width);
    }
  }
  regimes_.init_liste_caisses(options_.regime_table, options_.may_write);
}

void Viewer::clean_items() {
  list_.begin_reset();
  list_.clear();
  nb_lig_ = 0;
  list_.end_reset();
}

void Viewer::remplit_aff() {
  filter_.now = clock_.now_file_time();
  folder_error_.clear();
  bool out_of_memory = false;
  list_.begin_reset();
  try {
    // The blocks of the rows that go are reused for the rows that come: a refill of a large
    // list then allocates (and the system maps) next to nothing.
    const auto previous_rows = static_cast<std::size_t>(list_.row_count());
    spare_rows_ = list_.clear_keeping_data();
    list_.reserve_rows(previous_rows);
    lit_taille_col();
    nb_lig_ = 0;
    file_starts_.clear();
    // One enumeration serves every pattern of the fill.
    std::error_code error;
    const FolderListing folder = list_folder(options_.folder, error);
    if (error) note_folder_error(error);
    const auto mask = static_cast<std::uint8_t>(settings_.config.noemie_rsp_aff);
    if (mask & kMaskRsp) {
      remplit_qv(folder, "*.RSP", 0);
      remplit_qv(folder, "*.RSX", kIconArchivedFile);
      remplit_qv(folder, "*.RSZ", kIconCondemnedFile);
    }
    if (mask & kMaskArl) {
      remplit_qv(folder, "*.ARL", 0);
      remplit_qv(folder, "*.ARX", kIconArchivedFile);
      remplit_qv(folder, "*.ARZ", kIconCondemnedFile);
    }
    remplit_qv(folder, "*.DAT", 0);
    remplit_qv(folder, "*.", 0);
    // The rows of one file share their "Fichier" text: sorting the files sorts the rows.
    sort_runs(list_, kColFichier, file_starts_);
    release_spares();
  } catch (const std::bad_alloc&) {
    release_spares();
    // The rows made so far stay, each with its data; they keep their positions as row_index.
    out_of_memory = true;
    for (int r = 0; r < list_.row_count(); ++r) list_.row_data(r).row_index = r;
  } catch (...) {
    release_spares();
    list_.end_reset();
    throw;
  }
  list_.end_reset();
  // Shown once the view has the whole list again.
  if (!folder_error_.empty()) {
    dialogs_.message_box(folder_error_, kViewerWarningCaption, platform::MessageIcon::Warning);
  }
  if (out_of_memory) {
    dialogs_.message_box(kOutOfMemoryText, kViewerWarningCaption, platform::MessageIcon::Warning);
  }
}

void Viewer::release_spares() {
  spare_rows_.clear();
  spare_rows_.shrink_to_fit();
  list_.release_spare_room();
}

void Viewer::note_folder_error(const std::error_code& error) {
  folder_error_ = "Impossible de lire le dossier " + display_name(options_.folder) + " : " +
                  folder_failure_reason(error) + ".";
}

void Viewer::remplit_qv(const FolderListing& folder, std::string_view pattern, int kind_icon) {
  for (const ScannedFile& file : select_pattern(folder, pattern)) {
    // A fresh record per file: its entries are released as soon as its rows are made.
    ReturnRecord rec;
    reader_.lit_fichier_noemie(file.path, rec, abrege());
    if (rec.valide == 1) {
      aff_noemie(rec, file.name, reader_.file_time(), file_kind_icon(file.name, kind_icon));
    }
  }
}

void Viewer::aff_noemie(const ReturnRecord& rec, std::string_view file_name, std::int64_t file_time,
                        int kind_icon) {
  const std::size_t count =
      rec.der_entree < 0
          ? 0
          : std::min(rec.entrees.size(), static_cast<std::size_t>(rec.der_entree) + 1);
  // The filter answers for the whole file: every entry has the same reference and time.
  if (count == 0 || !decode::traite_ref(rec.ref(), file_time, filter_)) return;
  int state_icon = rec.ref() == "930" ? kIconAcknowledgedFile : flags_.rsp_traite(file_name);
  if (kind_icon != 0) state_icon = kind_icon;
  const FileCells file = make_file_cells(rec, file_name, file_time, regimes_);
  file_starts_.push_back(nb_lig_);
  for (std::size_t i = 0; i < count; ++i) {
    std::unique_ptr<ListRow> data;
    if (spare_rows_.empty()) {
      // Made from the entry directly: the block is written once, not zeroed first.
      data.reset(new ListRow{nb_lig_, rec.entrees[i]});
    } else {
      data = std::move(spare_rows_.back());
      spare_rows_.pop_back();
      data->row_index = nb_lig_;
      data->entry = rec.entrees[i];
    }
    make_entry_cells(file, rec.entrees[i], cells_, *amount_texts_);
    list_.add_row(std::move(data), cells_, state_icon, file.ref.icon);
    ++nb_lig_;
  }
}

}  // namespace noemie::viewer
