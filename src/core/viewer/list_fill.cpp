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

// Files a reading thread takes at a time: enough that the hand-offs between threads cost
// little (each is a lock and a wake-up, a call to the system under some), few enough that the
// threads share the work evenly and the first rows come soon.
std::size_t files_per_hand_off(std::size_t files, unsigned threads) {
  constexpr std::size_t kMostFiles = 32;
  return std::clamp<std::size_t>(files / (8 * std::max(threads, 1u)), 1, kMostFiles);
}

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
  listed_.clear();
}

void Viewer::remplit_aff() {
  bool out_of_memory = false;
  list_.begin_reset();
  try {
    // The row table keeps its room: a refill of a large list then allocates (and the system
    // maps) next to nothing.
    list_.clear_keeping_room();
    // The stamps the listing gives tell which kept files are still good (with none kept,
    // none is needed).
    bool same_entries = false;
    FolderListing folder = list_for_fill(options_.keep_listing || !cache_.empty(), same_entries);
    const std::vector<FillTask> tasks = fill_tasks(folder);
    list_files(tasks);
    // The same entries as last time: no file that was read has gone.
    if (!same_entries && !cache_.empty()) forget_absent_files(folder);
    // The rows of one file share their "Fichier" text: sorting the files sorts the rows.
    sort_runs(list_, kColFichier, file_starts_);
    list_.note_file_order();  // the order of the transfer list
    sort_column_ = kColFichier;
    listed_version_ = list_.content_version();
    hide_unfound_rows();
    list_.release_spare_room();
    if (options_.keep_listing) {
      last_listing_ = std::move(folder);
      listing_kept_ = true;
    }
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

FolderListing Viewer::list_for_fill(bool with_stamps, bool& same_entries) {
  // An export planned on the selections this fill replaces would point at files gone.
  export_plan_.reset();
  filter_.now = clock_.now_file_time();
  folder_error_.clear();
  lit_taille_col();
  nb_lig_ = 0;
  file_starts_.clear();
  listed_.clear();
  // One enumeration serves every pattern of the fill.
  std::error_code error;
  FolderListing folder = list_folder(options_.folder, error, with_stamps);
  if (error) note_folder_error(error);
  same_entries = selections_.follow(folder);
  return folder;
}

std::vector<Viewer::FillTask> Viewer::fill_tasks(const FolderListing& folder) {
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
  return tasks;
}

void Viewer::note_folder_error(const std::error_code& error) {
  folder_error_ = "Impossible de lire le dossier " + display_name(options_.folder) + " : " +
                  folder_failure_reason(error) + ".";
}

void Viewer::remplit_qv(const FolderListing& folder, std::string_view pattern, int kind_icon,
                        std::vector<FillTask>& tasks) {
  for (const ScannedFile& file : selections_.files(folder, pattern)) {
    const FolderEntry& entry = folder[file.entry];
    tasks.push_back({&file, &entry, kind_icon, cache_.find(entry.path.native())});
  }
}

void Viewer::list_files(const std::vector<FillTask>& tasks) {
  const bool merge_lines = abrege();
  // What each file gave: kept from an earlier fill when its stamp, as the folder listing
  // gave it, is the one it was read under; else read by this fill, on every core.
  std::vector<std::shared_ptr<const FileRows>> made(tasks.size());
  std::vector<std::size_t> to_read;
  for (std::size_t i = 0; i < tasks.size(); ++i) {
    const FillTask& task = tasks[i];
    if (task.known) made[i] = task.known->reusable(platform::stamp_of(*task.entry), merge_lines);
    if (!made[i]) to_read.push_back(i);
  }

  const int files = static_cast<int>(tasks.size());
  if (progress_) progress_->fill_started(files);
  std::size_t listed = 0;
  // Lists the files up to `end`, in order: faults reported, rows added.
  const auto list_up_to = [&](std::size_t end) {
    for (; listed < end; ++listed) {
      const FillTask& task = tasks[listed];
      report_faults(*made[listed]);
      aff_noemie(made[listed], task.file->name, file_kind_icon(task.file->name, task.pattern_icon));
      if (progress_) progress_->files_done(static_cast<int>(listed) + 1, files);
      // Once a few files are listed, room for as many rows a file as they gave: the row
      // table is then made once, not grown again and again.
      if (listed + 1 == kFilesBeforeEstimate && tasks.size() > kFilesBeforeEstimate) {
        // As much again for each file still to read, as the first ones took.
        if (options_.expect_memory) {
          options_.expect_memory(list_.memory_bytes() * to_read.size() * 9 /
                                 (8 * kFilesBeforeEstimate));
        }
        list_.reserve_rows(static_cast<std::size_t>(nb_lig_) * tasks.size() * 9 /
                           (8 * kFilesBeforeEstimate));
      }
    }
  };
  const unsigned threads = work_threads(options_.fill_threads);
  while (makers_.size() < threads) {
    makers_.push_back(std::make_unique<FileRowsMaker>(regimes_, options_.summarize_files));
  }
  run_in_order(
      to_read.size(), threads,
      [&](std::size_t j, unsigned worker) {
        const FillTask& task = tasks[to_read[j]];
        const auto& listed_stamp = task.entry->stamp;
        made[to_read[j]] = std::make_shared<const FileRows>(
            makers_[worker]->read(task.entry->path, task.file->name, merge_lines,
                                  listed_stamp ? &*listed_stamp : nullptr));
      },
      [&](std::size_t j) { list_up_to(to_read[j] + 1); }, 0,
      files_per_hand_off(to_read.size(), threads));
  list_up_to(tasks.size());

  read_count_ = static_cast<int>(to_read.size());
  for (const std::size_t i : to_read) {
    // Kept under the stamp the file had before its bytes were read: should it change
    // meanwhile, the next fill sees another stamp and reads it again.
    const std::optional<platform::FileStamp>& stamp = made[i]->stamp;
    if (options_.keep_files_read && stamp && made[i]->keepable &&
        !platform::may_change_unseen(*stamp)) {
      cache_.keep(tasks[i].entry->path.native(), *stamp, merge_lines, made[i]);
    }
  }
}

void Viewer::aff_noemie(const std::shared_ptr<const FileRows>& made, std::string_view file_name,
                        int kind_icon) {
  const FileRows& file = *made;
  if (!shows_rows_of(file)) return;
  int state_icon = file.ref_zone() == "930" ? kIconAcknowledgedFile : flags_.rsp_traite(file_name);
  if (kind_icon != 0) state_icon = kind_icon;
  file_starts_.push_back(nb_lig_);
  listed_.push_back(made);
  list_.add_rows(file.rows, state_icon, file.marker_icon);
  nb_lig_ = list_.row_count();
}

bool Viewer::shows_rows_of(const FileRows& file) const {
  // The filter answers for the whole file: every entry has the same reference and time.
  return file.rows && file.rows->row_count() > 0 &&
         decode::traite_ref(file.ref_zone(), file.file_time, filter_);
}

void Viewer::forget_absent_files(const FolderListing& folder) {
  std::unordered_set<FileCache::PathView> present;
  present.reserve(folder.size());
  for (const FolderEntry& e : folder) present.insert(e.path.native());
  cache_.forget_others(present);
}

}  // namespace noemie::viewer
