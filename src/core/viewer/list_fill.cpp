// Filling the list: the columns once, then every fill from scratch, pattern by pattern, file
// by file, entry by entry.

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <unordered_set>

#include "core/decode/reference_table.h"
#include "core/platform/file_stamp.h"
#include "core/store/flag_store.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/viewer/folder_scan.h"
#include "core/viewer/ordered_work.h"
#include "core/viewer/row_cells.h"
#include "core/viewer/sort.h"
#include "core/viewer/viewer.h"

namespace noemie::viewer {
namespace {

// Widest and narrowest column a stored width makes at creation.
constexpr int kMaxCreatedWidth = 1000;
constexpr int kNegativeCreatedWidth = 10;

// Files a fill lists before it makes room for the rows of all.
constexpr std::size_t kFilesBeforeEstimate = 64;

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
  // The "Caisse" cells of the files read so far name the funds of the old table.
  cache_.clear();
}

void Viewer::clean_items() {
  list_.begin_reset();
  list_.clear();
  nb_lig_ = 0;
  list_.end_reset();
  cache_.clear();
  makers_.clear();
  selections_.clear();
}

void Viewer::remplit_aff() {
  filter_.now = clock_.now_file_time();
  folder_error_.clear();
  bool out_of_memory = false;
  list_.begin_reset();
  try {
    // The row table keeps its room: a refill of a large list then allocates (and the system
    // maps) next to nothing.
    list_.clear_keeping_room();
    lit_taille_col();
    nb_lig_ = 0;
    file_starts_.clear();
    // One enumeration serves every pattern of the fill.
    std::error_code error;
    const FolderListing folder = list_folder(options_.folder, error);
    if (error) note_folder_error(error);
    const bool same_entries = selections_.follow(folder);
    const auto mask = static_cast<std::uint8_t>(settings_.config.noemie_rsp_aff);
    std::vector<FillTask> tasks;
    if (mask & kMaskRsp) {
      remplit_qv(folder, "*.RSP", 0, tasks);
      remplit_qv(folder, "*.RSX", kIconArchivedFile, tasks);
      remplit_qv(folder, "*.RSZ", kIconCondemnedFile, tasks);
    }
    if (mask & kMaskArl) {
      remplit_qv(folder, "*.ARL", 0, tasks);
      remplit_qv(folder, "*.ARX", kIconArchivedFile, tasks);
      remplit_qv(folder, "*.ARZ", kIconCondemnedFile, tasks);
    }
    remplit_qv(folder, "*.DAT", 0, tasks);
    remplit_qv(folder, "*.", 0, tasks);
    list_files(tasks);
    // The same entries as last time: no file that was read has gone.
    if (!same_entries) forget_absent_files(folder);
    // The rows of one file share their "Fichier" text: sorting the files sorts the rows.
    sort_runs(list_, kColFichier, file_starts_);
    list_.note_file_order();  // the order of the transfer list
    sort_column_ = kColFichier;
    hide_unfound_rows();
    list_.release_spare_room();
  } catch (const std::bad_alloc&) {
    // The rows made so far stay, each with its data; they keep their positions as row_index.
    out_of_memory = true;
    for (int r = 0; r < list_.row_count(); ++r) list_.row_data(r).row_index = r;
  } catch (...) {
    if (progress_) progress_->fill_ended();
    list_.end_reset();
    throw;
  }
  if (progress_) progress_->fill_ended();
  list_.end_reset();
  // Shown once the view has the whole list again.
  if (!folder_error_.empty()) {
    dialogs_.message_box(folder_error_, kViewerWarningCaption, platform::MessageIcon::Warning);
  }
  if (out_of_memory) {
    dialogs_.message_box(kOutOfMemoryText, kViewerWarningCaption, platform::MessageIcon::Warning);
  }
}

void Viewer::note_folder_error(const std::error_code& error) {
  folder_error_ = "Impossible de lire le dossier " + display_name(options_.folder) + " : " +
                  folder_failure_reason(error) + ".";
}

void Viewer::remplit_qv(const FolderListing& folder, std::string_view pattern, int kind_icon,
                        std::vector<FillTask>& tasks) {
  for (const ScannedFile& file : selections_.files(folder, pattern)) {
    tasks.push_back({&file, kind_icon, cache_.find(file.path.native())});
  }
}

void Viewer::list_files(const std::vector<FillTask>& tasks) {
  // What each file gave, as the threads make it.
  struct Read {
    std::shared_ptr<const FileRows> rows;
    bool fresh = false;  // read by this fill
  };
  const bool merge_lines = abrege();
  const unsigned threads = work_threads(options_.fill_threads);
  while (makers_.size() < threads) makers_.push_back(std::make_unique<FileRowsMaker>(regimes_));
  std::vector<Read> reads(tasks.size());
  const int files = static_cast<int>(tasks.size());
  if (progress_) progress_->fill_started(files);
  run_in_order(
      tasks.size(), threads,
      [&](std::size_t i, unsigned worker) {
        const FillTask& task = tasks[i];
        Read& read = reads[i];
        // A file read before is read again only when its stamp changed.
        if (task.known) {
          read.rows = task.known->reusable(platform::file_stamp(task.file->path), merge_lines);
          if (read.rows) return;
        }
        read.rows = std::make_shared<const FileRows>(
            makers_[worker]->read(task.file->path, task.file->name, merge_lines));
        read.fresh = true;
      },
      [&](std::size_t i) {
        const FillTask& task = tasks[i];
        const FileRows& file = *reads[i].rows;
        report_faults(file);
        aff_noemie(file, task.file->name, file_kind_icon(task.file->name, task.pattern_icon));
        if (progress_) progress_->files_done(static_cast<int>(i) + 1, files);
        // Once a few files are listed, room for as many rows a file as they gave: the row
        // table is then made once, not grown again and again.
        if (i + 1 == kFilesBeforeEstimate && tasks.size() > kFilesBeforeEstimate) {
          list_.reserve_rows(static_cast<std::size_t>(nb_lig_) * tasks.size() * 9 /
                             (8 * kFilesBeforeEstimate));
        }
      });
  read_count_ = 0;
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    const Read& read = reads[i];
    if (!read.fresh) continue;
    ++read_count_;
    // Kept under the stamp the file had before its bytes were read: should it change
    // meanwhile, the next fill sees another stamp and reads it again.
    const std::optional<platform::FileStamp>& stamp = read.rows->stamp;
    if (stamp && read.rows->keepable && !platform::may_change_unseen(*stamp)) {
      cache_.keep(tasks[i].file->path.native(), *stamp, merge_lines, read.rows);
    }
  }
}

void Viewer::aff_noemie(const FileRows& file, std::string_view file_name, int kind_icon) {
  // The filter answers for the whole file: every entry has the same reference and time.
  if (!file.rows || file.rows->row_count() == 0) return;
  if (!decode::traite_ref(file.ref_zone(), file.file_time, filter_)) return;
  int state_icon = file.ref_zone() == "930" ? kIconAcknowledgedFile : flags_.rsp_traite(file_name);
  if (kind_icon != 0) state_icon = kind_icon;
  file_starts_.push_back(nb_lig_);
  list_.add_rows(file.rows, state_icon, file.marker_icon);
  nb_lig_ = list_.row_count();
}

void Viewer::forget_absent_files(const FolderListing& folder) {
  std::unordered_set<FileCache::PathView> present;
  present.reserve(folder.size());
  for (const FolderEntry& e : folder) present.insert(e.path.native());
  cache_.forget_others(present);
}

}  // namespace noemie::viewer
