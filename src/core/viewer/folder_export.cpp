// The headless export of a whole folder, written file by file as the files are read.

#include <algorithm>
#include <string>
#include <vector>

#include "core/platform/file_stamp.h"
#include "core/store/flag_store.h"
#include "core/store/settings.h"
#include "core/viewer/file_order.h"
#include "core/viewer/ordered_work.h"
#include "core/viewer/viewer.h"

namespace noemie::viewer {
namespace {

// Files a reading thread takes at a time, and how many a thread may have read ahead of the
// writing: enough that the threads seldom wait, few enough that what waits stays small.
constexpr std::size_t kFilesPerHandOff = 16;
constexpr std::size_t kHandOffsAhead = 4;

// The rows of files smaller than this are gathered before they go to the sink, so that a
// folder of small files is not written a few hundred bytes at a time; larger ones go as they
// are, without a copy.
constexpr std::size_t kSmallestWrite = 4 * 1024;

}  // namespace

void Viewer::open_for_export(int type_liste, int type_date) {
  set_up_list(type_liste, type_date);
  list_.begin_reset();
  list_.clear_keeping_room();
  list_.end_reset();

  bool same_entries = false;
  FolderListing folder = list_for_fill(false, same_entries);
  const std::vector<FillTask> tasks = fill_tasks(folder);
  std::vector<std::string_view> names;
  names.reserve(tasks.size());
  for (const FillTask& task : tasks) names.push_back(task.file->name);
  const std::vector<std::size_t> order = fichier_order(names, [&](std::size_t i) {
    const std::optional<platform::FileStamp> stamp = platform::stamp_of(*tasks[i].entry);
    return stamp ? platform::modified_file_time(*stamp) : std::int64_t{0};
  });
  ExportPlan& plan = export_plan_.emplace();
  plan.tasks.reserve(tasks.size());
  for (const std::size_t i : order) plan.tasks.push_back(tasks[i]);
  plan.listed_at = order;
  // The tasks point into the listing's entries, which moving the listing keeps where they are.
  plan.folder = std::move(folder);
}

bool Viewer::stream_folder_export(ExportMode mode, const ExportSink& sink) {
  if (!export_plan_) return stream_export(mode, sink);
  const std::vector<FillTask>& tasks = export_plan_->tasks;
  const ExportLayout layout = export_layout(list_);
  if (!sink(export_head(list_, mode, options_.window_title))) return false;

  const bool merge_lines = abrege();
  const unsigned threads = work_threads(options_.fill_threads);
  while (makers_.size() < threads) {
    makers_.push_back(std::make_unique<FileRowsMaker>(regimes_, options_.summarize_files));
  }
  // What each file gave, until it is written: its faults and its rows as export bytes.
  struct Made {
    FileRows file;
    std::string bytes;
  };
  const std::size_t window = kFilesPerHandOff * kHandOffsAhead * threads;
  std::vector<Made> made(window);
  std::string gathered;
  // The faults of the files, reported in the order of a fill (the folder's, pattern by
  // pattern) once the files are written, as a fill reports them.
  std::vector<std::pair<std::size_t, FileRows>> faulty;
  const auto report_faulty = [&] {
    std::stable_sort(faulty.begin(), faulty.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [at, file] : faulty) report_faults(file);
  };
  // A write that fails stops the reading too.
  struct WriteFailed {};
  const auto write = [&](std::string_view bytes) {
    if (!bytes.empty() && !sink(bytes)) throw WriteFailed{};
  };
  try {
    run_in_order(
        tasks.size(), threads,
        [&](std::size_t i, unsigned worker) {
          const FillTask& task = tasks[i];
          Made& m = made[i % window];
          const auto& listed_stamp = task.entry->stamp;
          m.file = makers_[worker]->read(task.entry->path, task.file->name, merge_lines,
                                         listed_stamp ? &*listed_stamp : nullptr, true);
          m.bytes.clear();
          if (shows_rows_of(m.file)) write_block_rows(m.bytes, *m.file.rows, mode, layout);
          m.file.rows.reset();
        },
        [&](std::size_t i) {
          Made& m = made[i % window];
          if (!m.file.faults.empty()) {
            faulty.emplace_back(export_plan_->listed_at[i], std::move(m.file));
          }
          if (gathered.empty() && m.bytes.size() >= kSmallestWrite) {
            write(m.bytes);
          } else {
            gathered += m.bytes;
            if (gathered.size() >= kSmallestWrite) {
              write(gathered);
              gathered.clear();
            }
          }
        },
        window, kFilesPerHandOff);
    write(gathered);
  } catch (const WriteFailed&) {
    report_faulty();
    return false;
  }
  report_faulty();
  const std::string_view tail = export_tail(mode);
  return tail.empty() || sink(tail);
}

}  // namespace noemie::viewer
