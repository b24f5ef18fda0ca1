#pragma once
// The viewer's list, without any toolkit: rows of 17 Windows-1252 cell texts, the state icon
// of column 0 and the marker icon of column 2, each row's ListRow and entry details, a
// selected flag per row, and 17 columns with a title, an alignment and a width in pixels.
//
// Detail, tooltips, marking, export and sorting all work from the texts this object holds,
// so the texts are a contract: they are set once by the fill and read back as they are. A cell
// text ends at its first NUL, as in the platform's list: a text given with one is cut there.
//
// A row's texts live in a RowBlock: the fill hands over the block of each file whole, shared
// with the cache of read files; rows given cell by cell go into a block of the list's own.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/c_text.h"
#include "core/viewer/row_block.h"

namespace noemie::viewer {

// No icon in a cell.
inline constexpr int kNoIcon = -1;

// The data attached to a row: its position.
struct ListRow {
  std::int32_t row_index = 0;
};

enum class Align { Left, Right };

struct ListColumn {
  std::string title;  // Windows-1252
  Align align = Align::Left;
  int width = 0;  // pixels; 0 hides the column
};

// Told about changes so that a view can follow. Every call happens on the caller's thread,
// after the change has been made (before it, for about_to_reset).
class ListObserver {
 public:
  virtual ~ListObserver() = default;
  virtual void about_to_reset() {}          // rows are about to be replaced or reordered
  virtual void reset() {}                   // rows were replaced or reordered
  virtual void row_changed(int /*row*/) {}  // a cell text or icon of the row
  virtual void column_width_changed(int /*column*/) {}  // set from the core side
};

class ListControl {
 public:
  using Cells = std::array<std::string, kColumnCount>;

  ListControl() = default;
  ListControl(const ListControl&) = delete;
  ListControl& operator=(const ListControl&) = delete;

  void set_observer(ListObserver* observer) { observer_ = observer; }

  // --- columns ---
  // Inserts a column at position `at` (clamped to the end).
  void insert_column(int at, std::string title, Align align, int width);
  int column_count() const { return static_cast<int>(columns_.size()); }
  // The column, or nullptr past the last one.
  const ListColumn* column(int col) const;
  // Width in pixels; 0 for a column that does not exist.
  int column_width(int col) const;
  // Sets a width from the core side (notifies the observer).
  void set_column_width(int col, int width);
  // Records a width the user changed in a view (does not notify).
  void note_column_width(int col, int width);

  // --- rows ---
  // Every public row number counts the rows shown: all of them, or those a find kept (below).
  int row_count() const { return static_cast<int>(narrowed_ ? shown_.size() : rows_.size()); }
  // Brackets a change that replaces or reorders rows (fill, sort) for the observer.
  void begin_reset();
  void end_reset();
  // Removes every row and releases its texts and data.
  void clear();
  // Removes every row like clear(), but keeps the room of the row table for a refill (a
  // refill of a large list then allocates, and the system maps, next to nothing).
  void clear_keeping_room();
  // Gives back the room of the row table that a refill kept and did not use.
  void release_spare_room();
  // Makes room for `rows` rows in all, so that adding them allocates the row table once.
  void reserve_rows(std::size_t rows);
  // Appends a row with its data, cell texts (column 0 is ignored: it shows an icon only),
  // state icon (column 0), marker icon (column 2) and entry details. Returns its position.
  int add_row(std::unique_ptr<ListRow> data, const Cells& cells, int state_icon, int marker_icon,
              const EntryDetails& details = {});
  // Appends every row of `block` in its order, with the same icons (the rows of one file);
  // each row's row_index is its position. Returns the position of the first one.
  int add_rows(std::shared_ptr<const RowBlock> block, int state_icon, int marker_icon);

  // The whole text of a cell; empty for a cell or row that does not exist. (Inline: the sort
  // and the export read every cell of the list.)
  std::string_view cell(int row, int col) const {
    if (row < 0 || row >= row_count() || col <= 0 || col >= kColumnCount) return {};
    const Row& r = rows_[stored(row)];
    return r.block->cell(r.index, col);
  }
  // The text of a cell as a fixed-size read returns it: at most `max_chars` characters.
  std::string_view cell(int row, int col, std::size_t max_chars) const {
    return text::first_chars(cell(row, col), max_chars);
  }
  void set_cell(int row, int col, std::string_view text);
  // The whole texts of every cell of a row (empty ones for a row that does not exist), at once:
  // the export reads whole rows.
  void row_cells(int row, std::array<std::string_view, kColumnCount>& out) const;

  // What the tooltips read of the row's entry; empty details for a row that does not exist.
  EntryDetails details(int row) const;

  // Icon of column 0 (state) or column 2 (marker); kNoIcon elsewhere or for no row.
  int icon(int row, int col) const;
  void set_icon(int row, int col, int icon);

  bool selected(int row) const;
  void set_selected(int row, bool selected);
  void select_all(bool selected);

  // The row's data; the row must exist.
  const ListRow& row_data(int row) const { return rows_.at(stored(row)).data; }
  ListRow& row_data(int row) { return rows_.at(stored(row)).data; }

  // The return file a row comes from, as a number that rows of one file share (the rows of one
  // add_rows call; consecutive add_row calls with the same "Fichier" text).
  std::uint32_t row_file(int row) const;
  // The same for a row counted among all rows, shown or not.
  std::uint32_t all_row_file(int row) const;
  // The bank transfer a row's entry belongs to, kept by its file's block; nullptr for a row of
  // no transfer (or no row). all_row_transfer counts rows among all rows, shown or not.
  const BlockTransfer* row_transfer(int row) const;
  const BlockTransfer* all_row_transfer(int row) const;

  // Notes the order in which the files' rows stand now, as a fill leaves them (sorted by
  // "Fichier"), for file_rank; a later sort does not change it. Forgotten by clear().
  void note_file_order();
  // The place of file `file` (a row_file number) in the order noted last; files the list got
  // after it, or without one noted, rank after those in the order they were added.
  std::uint64_t file_rank(std::uint32_t file) const;

  // Puts the rows in a new order: new position k takes the row that was at order[k].
  // `order` must be a permutation of 0 .. row_count() - 1. While rows are hidden, see
  // show_every_row_for_reorder.
  void reorder(const std::vector<std::int32_t>& order);
  // The same for a list made of runs of rows (the rows of each file): the run that starts at
  // row run_starts[run_order[k]] comes k-th, each keeping its rows' order; every row_index is
  // then its position. `run_starts` ascend from 0; `run_order` is a permutation of the runs.
  void reorder_runs(const std::vector<std::int32_t>& run_starts,
                    const std::vector<std::int32_t>& run_order);

  // --- rows shown (find) ---
  // The list holds every row of the fill; a find shows some of them, in the list's order.
  // Rows are counted here by their place among all rows, shown or not.
  int all_row_count() const { return static_cast<int>(rows_.size()); }
  std::string_view all_cell(int row, int col) const {
    if (row < 0 || row >= all_row_count() || col <= 0 || col >= kColumnCount) return {};
    const Row& r = rows_[static_cast<std::size_t>(row)];
    return r.block->cell(r.index, col);
  }
  // The place among all rows of the row shown at `row`; the row must exist.
  int all_row_of(int row) const { return static_cast<int>(stored(row)); }
  // Shows only the rows whose flag is set (`shown` has one flag per row among all rows; a
  // missing flag hides). Hidden rows lose their selection. Not bracketed for the observer.
  void show_rows(const std::vector<bool>& shown);
  // Shows every row again.
  void show_all_rows();
  bool narrowed() const { return narrowed_; }
  // A reorder of every row while some are hidden (the sort orders the hidden rows too):
  // show_every_row_for_reorder() shows them all without forgetting which are hidden, and
  // hide_again() hides them again in their new places. Both inside a reset bracket.
  void show_every_row_for_reorder();
  void hide_again();
  // icon() and set_icon() of a row counted among all rows (the marking changes the icons of
  // hidden rows of a file too).
  int all_icon(int row, int col) const;
  void set_all_icon(int row, int col, int icon);

  // Changes whenever the rows shown change otherwise than in their order (rows added or
  // removed, a cell set, a find): what is worked out of the rows but not of their order may be
  // kept while it stays the same.
  std::uint64_t content_version() const { return version_; }

  // Bytes held by the rows (texts, details, bookkeeping); for measurements.
  std::size_t memory_bytes() const;

 private:
  struct Row {
    const RowBlock* block = nullptr;  // held by blocks_ or own_
    std::uint32_t index = 0;          // the row's place in its block
    ListRow data;
    std::int8_t state_icon = kNoIcon;
    std::int8_t marker_icon = kNoIcon;
    bool selected = false;
    bool hidden = false;     // left out by a find
    std::uint32_t file = 0;  // see row_file
  };

  std::size_t stored(int row) const {
    return narrowed_ ? shown_[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
  }
  // The public number of the row at `stored` among all rows, or -1 when it is hidden.
  int shown_number(std::size_t stored) const;
  const Row* row_at(int row) const;
  Row* row_at(int row);
  void changed(int row) {
    if (observer_) observer_->row_changed(row);
  }

  RowBlock& own_block();
  // Puts whole runs of rows in `run_order` by writing each run's rows again in their new place,
  // as add_rows made them, with no second table: the memory of a fill's first sort is then
  // the row table's alone. Returns false, changing nothing, unless every row of each run is
  // still as add_rows made it (not selected, hidden or given another icon) and `run_order`
  // is a permutation of the runs.
  bool rewrite_runs(const std::vector<std::int32_t>& run_starts,
                    const std::vector<std::int32_t>& run_order);

  std::vector<ListColumn> columns_;
  std::vector<Row> rows_;
  // Room the rows are gathered into by a reorder, kept for the next one and as large as the
  // row table's: a large list then takes no fresh memory per sort or refill (fresh memory
  // costs the system a fault per page).
  std::vector<Row> gathered_;
  // The blocks the rows show, each once.
  std::vector<std::shared_ptr<const RowBlock>> blocks_;
  // Rows given cell by cell, and rows whose cell was changed.
  std::unique_ptr<RowBlock> own_;
  // While narrowed_, the places among rows_ of the rows shown, ascending.
  std::vector<std::uint32_t> shown_;
  // The rank of each file (by row_file number) in the order noted by note_file_order.
  std::vector<std::uint32_t> file_ranks_;
  bool narrowed_ = false;
  std::uint32_t next_file_ = 0;
  std::uint64_t version_ = 0;
  ListObserver* observer_ = nullptr;
};

}  // namespace noemie::viewer
