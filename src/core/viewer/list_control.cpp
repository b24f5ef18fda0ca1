#include "core/viewer/list_control.h"

#include <algorithm>
#include <stdexcept>

namespace noemie::viewer {

void ListControl::insert_column(int at, std::string title, Align align, int width) {
  const auto pos = static_cast<std::size_t>(std::clamp(at, 0, column_count()));
  columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(pos),
                  ListColumn{std::move(title), align, width});
}

const ListColumn* ListControl::column(int col) const {
  if (col < 0 || col >= column_count()) return nullptr;
  return &columns_[static_cast<std::size_t>(col)];
}

int ListControl::column_width(int col) const {
  const ListColumn* c = column(col);
  return c ? c->width : 0;
}

void ListControl::set_column_width(int col, int width) {
  if (col < 0 || col >= column_count()) return;
  columns_[static_cast<std::size_t>(col)].width = width;
  if (observer_) observer_->column_width_changed(col);
}

void ListControl::note_column_width(int col, int width) {
  if (col < 0 || col >= column_count()) return;
  columns_[static_cast<std::size_t>(col)].width = width;
}

void ListControl::begin_reset() {
  if (observer_) observer_->about_to_reset();
}

void ListControl::end_reset() {
  if (observer_) observer_->reset();
}

void ListControl::clear() {
  ++version_;
  show_all_rows();
  shown_.shrink_to_fit();
  file_ranks_.clear();
  file_ranks_.shrink_to_fit();
  next_file_ = 0;
  rows_.clear();
  rows_.shrink_to_fit();
  gathered_ = {};
  blocks_.clear();
  blocks_.shrink_to_fit();
  own_.reset();
}

void ListControl::clear_keeping_room() {
  ++version_;
  show_all_rows();
  file_ranks_.clear();
  next_file_ = 0;
  rows_.clear();
  blocks_.clear();
  own_.reset();
}

void ListControl::release_spare_room() {
  // Room for as many rows again as the list holds is kept: a refill of about the same list then
  // needs none, and room that no row ever took costs no memory (the system maps a page only
  // once it is written).
  if (rows_.capacity() > 2 * rows_.size() + 1024) rows_.shrink_to_fit();
  if (gathered_.capacity() > 2 * rows_.size() + 1024) gathered_ = {};
  blocks_.shrink_to_fit();
}

void ListControl::reserve_rows(std::size_t rows) {
  rows_.reserve(rows);
}

RowBlock& ListControl::own_block() {
  if (!own_) own_ = std::make_unique<RowBlock>();
  return *own_;
}

int ListControl::add_row(std::unique_ptr<ListRow> data, const Cells& cells, int state_icon,
                         int marker_icon, const EntryDetails& details) {
  if (!data) throw std::invalid_argument("a list row needs its data");
  ++version_;
  RowBlock& block = own_block();
  Row row;
  row.block = &block;
  row.data = *data;
  row.state_icon = static_cast<std::int8_t>(state_icon);
  row.marker_icon = static_cast<std::int8_t>(marker_icon);
  // Should the row table not grow, the texts just added stay unused in the block.
  row.index = static_cast<std::uint32_t>(block.add_row(cells, details));
  const bool same_file = !rows_.empty() && rows_.back().block == &block &&
                         block.cell(rows_.back().index, kColFichier) == cells[kColFichier];
  row.file = same_file ? rows_.back().file : next_file_++;
  rows_.push_back(row);
  if (narrowed_) shown_.push_back(static_cast<std::uint32_t>(rows_.size() - 1));
  return row_count() - 1;
}

int ListControl::add_rows(std::shared_ptr<const RowBlock> block, int state_icon, int marker_icon) {
  ++version_;
  const int first = row_count();
  const std::size_t count = block ? block->row_count() : 0;
  if (count == 0) return first;
  blocks_.push_back(std::move(block));
  Row row;
  row.block = blocks_.back().get();
  row.state_icon = static_cast<std::int8_t>(state_icon);
  row.marker_icon = static_cast<std::int8_t>(marker_icon);
  row.file = next_file_++;
  for (std::size_t i = 0; i < count; ++i) {
    row.index = static_cast<std::uint32_t>(i);
    row.data.row_index = first + static_cast<std::int32_t>(i);
    rows_.push_back(row);
    if (narrowed_) shown_.push_back(static_cast<std::uint32_t>(rows_.size() - 1));
  }
  return first;
}

const ListControl::Row* ListControl::row_at(int row) const {
  if (row < 0 || row >= row_count()) return nullptr;
  return &rows_[stored(row)];
}

ListControl::Row* ListControl::row_at(int row) {
  if (row < 0 || row >= row_count()) return nullptr;
  return &rows_[stored(row)];
}

void ListControl::set_cell(int row, int col, std::string_view text) {
  Row* r = row_at(row);
  if (!r || col <= 0 || col >= kColumnCount) return;
  ++version_;
  // A block handed over by the fill is shared: the changed row becomes a row of the list's
  // own block.
  RowBlock& block = own_block();
  r->index = static_cast<std::uint32_t>(block.add_changed_row(*r->block, r->index, col, text));
  r->block = &block;
  changed(row);
}

void ListControl::row_cells(int row, std::array<std::string_view, kColumnCount>& out) const {
  if (const Row* r = row_at(row)) {
    r->block->cells(r->index, out);
  } else {
    out.fill({});
  }
}

EntryDetails ListControl::details(int row) const {
  const Row* r = row_at(row);
  return r ? r->block->details(r->index) : EntryDetails{};
}

int ListControl::icon(int row, int col) const {
  if (row < 0 || row >= row_count()) return kNoIcon;
  return all_icon(static_cast<int>(stored(row)), col);
}

void ListControl::set_icon(int row, int col, int icon) {
  if (row < 0 || row >= row_count()) return;
  set_all_icon(static_cast<int>(stored(row)), col, icon);
}

int ListControl::all_icon(int row, int col) const {
  if (row < 0 || row >= all_row_count()) return kNoIcon;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (col == kColTraite) return r.state_icon;
  if (col == kColRef) return r.marker_icon;
  return kNoIcon;
}

void ListControl::set_all_icon(int row, int col, int icon) {
  if (row < 0 || row >= all_row_count()) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  if (col == kColTraite) {
    r.state_icon = static_cast<std::int8_t>(icon);
  } else if (col == kColRef) {
    r.marker_icon = static_cast<std::int8_t>(icon);
  } else {
    return;
  }
  if (const int shown = shown_number(static_cast<std::size_t>(row)); shown >= 0) changed(shown);
}

bool ListControl::selected(int row) const {
  const Row* r = row_at(row);
  return r && r->selected;
}

void ListControl::set_selected(int row, bool selected) {
  if (Row* r = row_at(row)) r->selected = selected;
}

void ListControl::select_all(bool selected) {
  for (Row& r : rows_) r.selected = selected && !r.hidden;
}

std::uint32_t ListControl::row_file(int row) const {
  const Row* r = row_at(row);
  return r ? r->file : 0;
}

std::uint32_t ListControl::all_row_file(int row) const {
  if (row < 0 || row >= all_row_count()) return 0;
  return rows_[static_cast<std::size_t>(row)].file;
}

const BlockTransfer* ListControl::row_transfer(int row) const {
  const Row* r = row_at(row);
  return r ? r->block->transfer(r->index) : nullptr;
}

const BlockTransfer* ListControl::all_row_transfer(int row) const {
  if (row < 0 || row >= all_row_count()) return nullptr;
  const Row& r = rows_[static_cast<std::size_t>(row)];
  return r.block->transfer(r.index);
}

void ListControl::note_file_order() {
  constexpr std::uint32_t kUnranked = UINT32_MAX;
  file_ranks_.assign(next_file_, kUnranked);
  std::uint32_t next = 0;
  for (const Row& r : rows_) {
    if (file_ranks_[r.file] == kUnranked) file_ranks_[r.file] = next++;
  }
}

std::uint64_t ListControl::file_rank(std::uint32_t file) const {
  if (file < file_ranks_.size() && file_ranks_[file] != UINT32_MAX) return file_ranks_[file];
  return std::uint64_t{UINT32_MAX} + 1 + file;
}

void ListControl::reorder(const std::vector<std::int32_t>& order) {
  const std::size_t n = rows_.size();
  if (order.size() != n) throw std::invalid_argument("not a permutation of the rows");
  std::vector<bool> seen(n, false);
  for (std::int32_t from : order) {
    const auto f = static_cast<std::size_t>(from);
    if (from < 0 || f >= n || seen[f]) throw std::invalid_argument("not a permutation of the rows");
    seen[f] = true;
  }
  if (narrowed_) {
    // The rows shown change places among themselves; hidden rows keep theirs.
    std::vector<Row> moved;
    moved.reserve(n);
    for (const std::int32_t from : order)
      moved.push_back(rows_[shown_[static_cast<std::size_t>(from)]]);
    for (std::size_t k = 0; k < n; ++k) rows_[shown_[k]] = moved[k];
    return;
  }
  // Rows are small: gathering them into another table in their new order is quicker than
  // following the permutation's cycles.
  gathered_.clear();
  gathered_.reserve(rows_.capacity());
  for (const std::int32_t from : order) gathered_.push_back(rows_[static_cast<std::size_t>(from)]);
  rows_.swap(gathered_);
}

void ListControl::reorder_runs(const std::vector<std::int32_t>& run_starts,
                               const std::vector<std::int32_t>& run_order) {
  const auto rows = static_cast<std::int32_t>(rows_.size());
  const std::size_t runs = run_starts.size();
  const auto end_of = [&](std::size_t run) { return run + 1 < runs ? run_starts[run + 1] : rows; };
  if (narrowed_) {
    std::vector<std::int32_t> order;
    order.reserve(rows_.size());
    for (const std::int32_t run : run_order) {
      const auto i = static_cast<std::size_t>(run);
      for (std::int32_t r = run_starts[i]; r < end_of(i); ++r) order.push_back(r);
    }
    reorder(order);
  } else if (rewrite_runs(run_starts, run_order)) {
    // The room a later reorder gathers rows into is kept as large as the table, as after a
    // gathering: reserved but not written, it costs no memory the system has to map.
    gathered_.reserve(rows_.capacity());
  } else {
    gathered_.clear();
    gathered_.reserve(rows_.capacity());
    for (const std::int32_t run : run_order) {
      const auto i = static_cast<std::size_t>(run);
      gathered_.insert(gathered_.end(), rows_.begin() + run_starts[i], rows_.begin() + end_of(i));
    }
    if (gathered_.size() != rows_.size())
      throw std::invalid_argument("not a permutation of the runs");
    rows_.swap(gathered_);
  }
  for (std::int32_t r = 0; r < row_count(); ++r) row_data(r).row_index = r;
}

bool ListControl::rewrite_runs(const std::vector<std::int32_t>& run_starts,
                               const std::vector<std::int32_t>& run_order) {
  // What each run's rows share, taken from its first row.
  struct Run {
    Row first;
    std::int32_t size = 0;
  };
  const auto rows = static_cast<std::int32_t>(rows_.size());
  const std::size_t count = run_starts.size();
  if (run_order.size() != count) return false;
  std::vector<Run> runs(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t start = run_starts[i];
    const std::int32_t end = i + 1 < count ? run_starts[i + 1] : rows;
    if (start < 0 || end <= start || end > rows) return false;
    const Row& first = rows_[static_cast<std::size_t>(start)];
    for (std::int32_t r = start; r < end; ++r) {
      const Row& row = rows_[static_cast<std::size_t>(r)];
      if (row.block != first.block ||
          row.index != first.index + static_cast<std::uint32_t>(r - start) ||
          row.state_icon != first.state_icon || row.marker_icon != first.marker_icon ||
          row.file != first.file || row.selected || row.hidden) {
        return false;
      }
    }
    runs[i] = {first, end - start};
  }
  std::vector<bool> seen(count, false);
  for (const std::int32_t run : run_order) {
    const auto i = static_cast<std::size_t>(run);
    if (run < 0 || i >= count || seen[i]) return false;
    seen[i] = true;
  }
  auto at = rows_.begin();
  for (const std::int32_t run : run_order) {
    const Run& r = runs[static_cast<std::size_t>(run)];
    Row row = r.first;
    for (std::int32_t k = 0; k < r.size; ++k, ++at) {
      *at = row;
      ++row.index;
    }
  }
  return true;
}

void ListControl::show_rows(const std::vector<bool>& shown) {
  ++version_;
  shown_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    Row& r = rows_[i];
    r.hidden = i >= shown.size() || !shown[i];
    if (r.hidden) {
      r.selected = false;
    } else {
      shown_.push_back(static_cast<std::uint32_t>(i));
    }
  }
  narrowed_ = true;
}

void ListControl::show_all_rows() {
  ++version_;
  for (Row& r : rows_) r.hidden = false;
  shown_.clear();
  narrowed_ = false;
}

void ListControl::show_every_row_for_reorder() {
  narrowed_ = false;
}

void ListControl::hide_again() {
  shown_.clear();
  bool any_hidden = false;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].hidden) {
      any_hidden = true;
    } else {
      shown_.push_back(static_cast<std::uint32_t>(i));
    }
  }
  narrowed_ = any_hidden;
  if (!narrowed_) shown_.clear();
}

int ListControl::shown_number(std::size_t stored) const {
  if (!narrowed_) return static_cast<int>(stored);
  const auto at = std::lower_bound(shown_.begin(), shown_.end(), stored);
  if (at == shown_.end() || *at != stored) return -1;
  return static_cast<int>(at - shown_.begin());
}

std::size_t ListControl::memory_bytes() const {
  std::size_t bytes = (rows_.capacity() + gathered_.capacity()) * sizeof(Row) +
                      shown_.capacity() * sizeof(std::uint32_t) +
                      blocks_.capacity() * sizeof(std::shared_ptr<const RowBlock>);
  for (const auto& block : blocks_) bytes += block->memory_bytes();
  if (own_) bytes += own_->memory_bytes();
  return bytes;
}

}  // namespace noemie::viewer
