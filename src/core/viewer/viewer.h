#pragma once
// The viewer without its window: one folder of return files, the list of their entries, and
// every command of the viewer window (filters, sorting, column widths, detail on double-click,
// tooltip texts, marking, export). The desktop window and the headless export both drive this
// object; neither holds any state of its own about the list.
//
// Everything runs on the caller's thread, but for the reading of return files during a fill,
// which is shared among the processor's cores: the list, the fault reports and their order
// are those of a fill that reads the files one after the other, and the fault reporter is
// called on the caller's thread, in file order, with the rows of the files before already in
// the list. A fill is not re-entrant: the fault reporter and the dialogs it calls must not
// start another fill while they are open.
//
// What a fill read is kept as the rows it made (see FileCache): a refill reads again only the
// files that changed since.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>

#include "core/decode/reference_table.h"
#include "core/decode/regime_table.h"
#include "core/noemie/fault_report.h"
#include "core/noemie/reader.h"
#include "core/noemie/version.h"
#include "core/platform/clock.h"
#include "core/platform/dialogs.h"
#include "core/store/atomic_file.h"
#include "core/viewer/file_cache.h"
#include "core/viewer/folder_scan.h"
#include "core/viewer/list_control.h"
#include "core/viewer/list_export.h"
#include "core/viewer/list_summary.h"
#include "core/viewer/pattern_selections.h"
#include "core/viewer/row_cells.h"
#include "core/viewer/row_find.h"
#include "core/viewer/transfer_list.h"

namespace noemie::store {
class Settings;
class FlagStore;
class ResultTitles;
}  // namespace noemie::store

namespace noemie::viewer {

// Caption of the warnings the viewer itself shows (unreadable folder, export not written).
inline constexpr std::string_view kViewerWarningCaption = "Velmora-Attention !";

// Bits of the kind mask `noemie rsp aff` that select file families.
inline constexpr unsigned kMaskRsp = 1;
inline constexpr unsigned kMaskArl = 4;

// Where the viewer finds and may create things.
struct ViewerOptions {
  std::filesystem::path folder;  // the folder of return files viewed
  // The two name tables, as find_table_files finds them; an empty path reads no table.
  std::filesystem::path regime_table = "caisses.qvc";
  std::filesystem::path fund_directory = "caisses.dat";
  // False for the headless export: no missing file is created (flag file, regime table, fund
  // directory) and nothing is saved (settings, flags).
  bool may_write = true;
  // The window's caption, written as the HTML export's title.
  std::string window_title = viewer_caption();
  // Threads that read return files during a fill; 0 for one per core.
  unsigned fill_threads = 0;
  // True where the summary follows every fill (the windows): each file's share of it is then
  // worked out by the thread that reads the file, while its rows are fresh, not after the fill.
  bool summarize_files = false;
  // False where the list is filled once (the headless commands): the rows of the files read
  // are then not kept for a refill.
  bool keep_files_read = true;
  // True where the folder is watched (the windows): every fill lists the folder with each
  // file's stamp and keeps that listing (last_listing()), so that the watch starts from what
  // the fill saw instead of listing the folder again.
  bool keep_listing = false;
  // Told, once a large fill has listed its first files, about how many bytes its rows will
  // take, so that the process's heap makes room for them at once (platform::expect_heap_use).
  std::function<void(std::size_t bytes)> expect_memory;
};

// Told how a fill goes, on the caller's thread, so that a window can show it.
class FillProgress {
 public:
  virtual ~FillProgress() = default;
  virtual void fill_started(int /*files*/) {}
  // After each file, faults reported and rows listed.
  virtual void files_done(int /*done*/, int /*files*/) {}
  // Also when the fill ends early (out of memory).
  virtual void fill_ended() {}
};

// The window's outer rectangle in screen pixels.
struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Writes the bytes that `produce` hands to its sink to `target`, replacing it whole or not at
// all. "" or the one-line French error that write_export gives (Windows-1252).
std::string write_export_file(const std::filesystem::path& target,
                              const std::function<bool(const store::ByteSink&)>& produce);

class Viewer {
 public:
  // Every reference must outlive the viewer. Faults met while reading return files go to
  // `reporter`; the column titles come from row 3 of `titles`.
  Viewer(store::Settings& settings, store::FlagStore& flags, const store::ResultTitles& titles,
         FaultReporter& reporter, platform::Dialogs& dialogs, const platform::Clock& clock,
         ViewerOptions options);

  ListControl& list() { return list_; }
  const ListControl& list() const { return list_; }
  const ViewerOptions& options() const { return options_; }
  // The folder as the last fill listed it, with stamps; nullptr unless options().keep_listing
  // (or before the first fill).
  const FolderListing* last_listing() const {
    return options_.keep_listing && listing_kept_ ? &last_listing_ : nullptr;
  }

  int type_liste() const { return filter_.type_liste; }
  int type_date() const { return filter_.type_date; }
  // The reference instant of the last fill (file time, UTC).
  std::int64_t now() const { return filter_.now; }
  // Rows added by the last fill.
  int nb_lig() const { return nb_lig_; }
  // Return files the last fill read; it took the others as an earlier fill had made them.
  int read_count() const { return read_count_; }

  // Told how each fill goes from now on; nullptr for nothing. Must outlive the viewer or be
  // taken back.
  void set_fill_progress(FillProgress* progress) { progress_ = progress; }

  // Why the last fill could not read the folder itself (one line, Windows-1252, naming the
  // folder), or "" when it could. The fill also shows it once in a message box.
  const std::string& folder_error() const { return folder_error_; }

  // Opening: kind and age filters set (the window always opens on 0 "Toutes" and 0
  // "Toujours"; the headless export opens directly on the asked ones, in one fill), processed
  // flags loaded, columns made (init_aff), list filled (remplit_aff).
  void open(int type_liste = 0, int type_date = 0);
  // Closing: flags written (a failure shown in a message box, even when a failed save of a
  // mark said it already: what is not written now is lost), column widths stored and window
  // rectangle stored (each followed by a save of the settings), rows released.
  void close(const WindowRect& rect);

  // The 17 columns (titles of row 3 of the title table, widths of row 3 of the stored widths:
  // above 1000 gives 1000, negative gives 10) and the regime table. Columns are made once;
  // a second call reads the regime table again (and forgets the files read with the old one).
  void init_aff();
  // One complete fill of the list from the folder, ending sorted by "Fichier". Faults of
  // return files go to the reporter and the fill goes on. A file read by an earlier fill and
  // unchanged since (same size, modification, status change and identity, as one listing of
  // the folder tells them without opening any file) is not read again: its rows and its
  // faults are those it gave then. A file modified less than two seconds before it was read
  // is read again by the next fill. A folder that cannot be read gives
  // an empty list, folder_error() says why, and one message box per fill says it too
  // ("Impossible de lire le dossier <dossier> : <raison>."). Should memory run out, the rows
  // made so far stay (unsorted, each with its data) and a message box says the list is
  // incomplete.
  void remplit_aff();
  // Releases every row and its data, and what was kept of the files read.
  void clean_items();

  // Sorts by a column (header click, and the end of every fill).
  void sort_colonne(int column);

  // Column widths of the current kind filter (row type_liste + 3 of `info_result`): applied
  // from the settings (low 16 bits, unsigned) / stored there and saved.
  void lit_taille_col();
  void enreg_taille_col();
  // The window rectangle stored in the settings (and saved).
  void ferme_noemie(const WindowRect& rect);

  // The window's commands, each as its control does it.
  void choose_kind_filter(int type_liste);  // widths stored, filter set, refill
  void choose_age_filter(int type_date);    // filter set, refill (widths not stored first)
  void choose_kind_mask(int mask);          // `noemie rsp aff` set (saved later), refill
  void choose_abrege(bool on);              // widths stored, `noemie abrege` set and saved, refill

  // A double-click at `x_in_row` pixels from the left edge of `row`: a message box through
  // the dialogs, or the processed-state step of the row's file, saved at once as a mark is
  // (see marque_traitee). Outside the rows or the handled columns nothing happens.
  void list_click(int row, int x_in_row);
  // The tooltip text (Windows-1252, at most 499 characters) of the cell at `x_in_row` in
  // `row`; empty for no tip.
  std::string listage_tooltip(int row, int x_in_row) const;

  // "traités" (1) / "non-traités" (0) for the files of the selected rows. The flag file is
  // brought up to date at once, as the close does it (locked, this viewer's changes only,
  // replaced atomically), so that a crash, a kill or a power cut loses no mark. A save that
  // fails keeps the changes for the next one and is said in the close's message box, once:
  // the failures after it are not said again until a save has succeeded.
  void marque_traitee(int state);

  // Find: shows only the rows holding `text` (Windows-1252) in a cell of columns 1 to 16,
  // letter case and accents ignored, in their order; "" shows every row. Fills and sorts keep
  // it; the export, the marking and the summary act on the rows shown.
  void set_find_text(std::string_view text);
  const std::string& find_text() const { return finder_.text(); }
  // The summary of the rows shown. Worked out again only once the rows shown change (not after
  // a sort); while they are what the last fill listed, it is the sum of each file's own,
  // which a file keeps from fill to fill.
  ListSummary summary() const;
  // The filters in force, as a printout's heading names them (Windows-1252): "Référence :
  // Paiements - Depuis : 1 mois - Fichiers : RSP, ARL/ARX - Abrégé".
  std::string filters_text() const;
  // The column of the last sort ("Fichier" after a fill).
  int sort_column() const { return sort_column_; }

  // Bank transfers. The transfer list of the rows the find keeps (a narrowing to one transfer
  // aside), in the order of their first rows as the fill left them.
  std::vector<TransferLine> transfer_lines() const;
  // Shows only the rows of transfer `line` among those the find keeps; fills and sorts keep
  // the narrowing, set_find_text and end_transfer_narrowing end it.
  void narrow_to_transfer(const TransferLine& line);
  void end_transfer_narrowing();
  bool narrowed_to_transfer() const { return narrowing_.has_value(); }
  // What the find line says while the list is narrowed to a transfer (Windows-1252):
  // "Virement du 15/03/2024 VIR SEPA 0001 (00000012.RSP)"; "" when it is not.
  const std::string& transfer_narrowing_text() const { return narrowing_text_; }
  // The file of the transfers' ticks: "RSPpointage.dat" beside the flag file, in the archive
  // folder of the setting `path_arch`.
  std::filesystem::path tick_file() const;
  // "Actualiser": refills from the folder keeping the sort column, the find, and the selected
  // and top rows where they still exist (a row is known by its cell texts). Returns where the
  // row shown at `top_row` is now, else the nearest row after it that is still there, else
  // `top_row` kept within the list. With `automatic` (the folder changed, the user asked
  // nothing) the faults of a file already reported, unchanged since, are not reported again.
  int actualise(int top_row, bool automatic);

  // The export menu: asks for a file (in `path_result`, which then becomes the chosen file's
  // folder and is saved), ensures the mode's extension and writes the list. A file that cannot
  // be written is said in a message box (the write_export line, then "Aucun fichier existant
  // n'a été modifié."); a cancelled choice does nothing.
  void sav(ExportMode mode);
  // Writes the list to `target` exactly as named (no extension added), replacing it whole or
  // not at all. Returns "" or a one-line French error naming the file (Windows-1252), e.g.
  // "Impossible d'écrire le fichier /x/liste.txt : le dossier n'existe pas.".
  std::string write_export(const std::filesystem::path& target, ExportMode mode) const;
  // The save dialog of the export menu for `mode`: the chosen file with the mode's extension
  // ensured, `path_result` becoming its folder (and saved); nothing when cancelled.
  std::optional<std::filesystem::path> choose_export_file(ExportMode mode);
  // The message box of an export that could not be written (the write_export line, then
  // "Aucun fichier existant n'a été modifié.").
  void show_export_failure(const std::string& error);
  // The bytes an export of the list holds now.
  std::string export_bytes(ExportMode mode) const;
  // The same bytes handed to `sink` in pieces as they are made (for standard output); false
  // when the sink stopped it.
  bool stream_export(ExportMode mode, const ExportSink& sink) const;

  // A headless export of the whole folder in the list's first order (by "Fichier", with no
  // find): open_for_export sets the filters and columns as open() does and lists the folder
  // (folder_error() tells whether it could), reading no file; stream_folder_export then
  // hands `sink` the same bytes as stream_export after open(), reading each file, writing its
  // rows and dropping them, so that memory holds a few files at a time instead of the list.
  // Faults are reported once the rows are written, in the order a fill reports them. The list
  // itself stays empty. False when the sink stopped it.
  void open_for_export(int type_liste, int type_date);
  bool stream_folder_export(ExportMode mode, const ExportSink& sink);

 private:
  // A file a fill lists, with what an earlier fill made of it.
  struct FillTask {
    const ScannedFile* file = nullptr;   // held by selections_
    const FolderEntry* entry = nullptr;  // the file in this fill's listing
    int pattern_icon = 0;
    const FileCache::Known* known = nullptr;
  };

  // What open_for_export found: the folder and its files in the list's order.
  struct ExportPlan {
    FolderListing folder;
    std::vector<FillTask> tasks;
    std::vector<std::size_t> listed_at;  // each task's place in the order of a fill
  };
  std::optional<ExportPlan> export_plan_;

  // What open() does before it fills: the filters, the flags read, the columns made.
  void set_up_list(int type_liste, int type_date);
  // The start of every fill: the filters' "now", no folder error, the columns' widths, the
  // folder listed (with its files' stamps when `with_stamps`) and the pattern selections
  // following it (`same_entries` says whether its entries are those of the last listing).
  FolderListing list_for_fill(bool with_stamps, bool& same_entries);
  // The files of `folder` a fill lists, pattern by pattern, as the kind filter selects them.
  std::vector<FillTask> fill_tasks(const FolderListing& folder);
  void remplit_qv(const FolderListing& folder, std::string_view pattern, int kind_icon,
                  std::vector<FillTask>& tasks);
  // Whether the list shows the rows of `file` (it has rows, and the date filter keeps it).
  bool shows_rows_of(const FileRows& file) const;
  void list_files(const std::vector<FillTask>& tasks);
  void aff_noemie(const std::shared_ptr<const FileRows>& file, std::string_view file_name,
                  int kind_icon);
  void report_faults(const FileRows& file);
  void hide_unfound_rows();
  // One flag per row among all rows: the rows the find keeps, of the narrowing's transfer only
  // when there is one.
  std::vector<bool> rows_to_show() const;
  void forget_absent_files(const FolderListing& folder);
  FolderListing last_listing_;
  bool listing_kept_ = false;
  void note_folder_error(const std::error_code& error);
  bool abrege() const;
  // Writes the marks not yet in the flag file; a failure is said once until a save succeeds.
  void save_marks();
  void say_flags_not_saved(const std::filesystem::path& file);

  store::Settings& settings_;
  store::FlagStore& flags_;
  const store::ResultTitles& titles_;
  platform::Dialogs& dialogs_;
  const platform::Clock& clock_;
  ViewerOptions options_;
  FaultReporter& reporter_;
  FillProgress* progress_ = nullptr;
  decode::RegimeTable regimes_;
  decode::FilterState filter_;
  ListControl list_;
  int nb_lig_ = 0;
  int read_count_ = 0;
  std::string folder_error_;
  // The first row of each file the last fill listed, in the order they were added.
  std::vector<std::int32_t> file_starts_;
  // The files read so far, as the rows they made.
  FileCache cache_;
  // The files of each pattern the last fill selected from the folder.
  PatternSelections selections_;
  RowFinder finder_;
  // The transfer the list is narrowed to, and what the find line says of it.
  std::optional<TransferKey> narrowing_;
  std::string narrowing_text_;
  int sort_column_ = kColFichier;
  // During an automatic refresh.
  bool quiet_repeats_ = false;
  // The files the last fill listed, in order, and the list's content_version once it had.
  std::vector<std::shared_ptr<const FileRows>> listed_;
  std::uint64_t listed_version_ = 0;
  // The last summary worked out, and the content_version it is of.
  mutable std::optional<ListSummary> summary_;
  mutable std::uint64_t summary_version_ = 0;
  // A failed save of marks was said, and no save has succeeded since.
  bool marks_failure_said_ = false;
  // The files whose faults were reported, by path and stamp (size, modification).
  std::set<std::tuple<std::filesystem::path::string_type, std::uint64_t, std::int64_t>> reported_;
  // One reader per thread of a fill, kept with their buffers from fill to fill.
  std::vector<std::unique_ptr<FileRowsMaker>> makers_;
};

}  // namespace noemie::viewer
