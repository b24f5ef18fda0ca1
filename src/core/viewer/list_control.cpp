#include "core/viewer/list_control.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/text/c_text.h"

namespace noemie::viewer {
namespace {

// True when `text` holds a NUL byte. Eight bytes at a time: a row's texts are short, and this
// runs once for every row a fill adds.
bool contains_nul(std::string_view text) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if ((word - kOnes) & ~word & kHighs) return true;
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\0') return true;
  }
  return false;
}

}  // namespace

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
  rows_.clear();
  rows_.shrink_to_fit();
  release_spare_room();
}

std::vector<std::unique_ptr<ListRow>> ListControl::clear_keeping_data() {
  std::vector<std::unique_ptr<ListRow>> data;
  data.reserve(rows_.size());
  spare_texts_.reserve(spare_texts_.size() + rows_.size());
  for (Row& r : rows_) {
    data.push_back(std::move(r.data));
    spare_texts_.push_back(std::move(r.texts));
  }
  rows_.clear();
  rows_.shrink_to_fit();
  return data;
}

void ListControl::release_spare_room() {
  spare_texts_.clear();
  spare_texts_.shrink_to_fit();
}

void ListControl::reserve_rows(std::size_t rows) {
  rows_.reserve(rows);
}

int ListControl::add_row(std::unique_ptr<ListRow> data, const Cells& cells, int state_icon,
                         int marker_icon) {
  if (!data) throw std::invalid_argument("a list row needs its data");
  Row row;
  row.data = std::move(data);
  std::size_t total = 0;
  for (int c = 1; c < kColumnCount; ++c) total += cells[static_cast<std::size_t>(c)].size();
  if (!spare_texts_.empty()) {
    // A spare buffer much larger than the row needs is not taken, so that buffers cannot
    // grow from fill to fill as rows change places.
    if (spare_texts_.back().capacity() <= 2 * total + 64) {
      row.texts = std::move(spare_texts_.back());
      row.texts.clear();
    }
    spare_texts_.pop_back();
  }
  row.texts.reserve(total);
  row.ends[0] = 0;
  for (int c = 1; c < kColumnCount; ++c) {
    row.texts += cells[static_cast<std::size_t>(c)];
    row.ends[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(row.texts.size());
  }
  // A cell holds no NUL: one search of the whole row finds out whether any cell must be cut.
  if (contains_nul(row.texts)) {
    row.texts.clear();
    for (int c = 1; c < kColumnCount; ++c) {
      row.texts += text::c_text(cells[static_cast<std::size_t>(c)]);
      row.ends[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(row.texts.size());
    }
  }
  row.state_icon = static_cast<std::int8_t>(state_icon);
  row.marker_icon = static_cast<std::int8_t>(marker_icon);
  rows_.push_back(std::move(row));
  return row_count() - 1;
}

const ListControl::Row* ListControl::row_at(int row) const {
  if (row < 0 || row >= row_count()) return nullptr;
  return &rows_[static_cast<std::size_t>(row)];
}

ListControl::Row* ListControl::row_at(int row) {
  if (row < 0 || row >= row_count()) return nullptr;
  return &rows_[static_cast<std::size_t>(row)];
}

void ListControl::set_cell(int row, int col, std::string_view text) {
  text = text::c_text(text);
  Row* r = row_at(row);
  if (!r || col <= 0 || col >= kColumnCount) return;
  const std::uint32_t begin = r->ends[static_cast<std::size_t>(col - 1)];
  const std::uint32_t end = r->ends[static_cast<std::size_t>(col)];
  r->texts.replace(begin, end - begin, text);
  const auto delta = static_cast<std::int64_t>(text.size()) - (end - begin);
  for (int c = col; c < kColumnCount; ++c) {
    auto& e = r->ends[static_cast<std::size_t>(c)];
    e = static_cast<std::uint32_t>(e + delta);
  }
  changed(row);
}

int ListControl::icon(int row, int col) const {
  const Row* r = row_at(row);
  if (!r) return kNoIcon;
  if (col == kColTraite) return r->state_icon;
  if (col == kColRef) return r->marker_icon;
  return kNoIcon;
}

void ListControl::set_icon(int row, int col, int icon) {
  Row* r = row_at(row);
  if (!r) return;
  if (col == kColTraite) {
    r->state_icon = static_cast<std::int8_t>(icon);
  } else if (col == kColRef) {
    r->marker_icon = static_cast<std::int8_t>(icon);
  } else {
    return;
  }
  changed(row);
}

bool ListControl::selected(int row) const {
  const Row* r = row_at(row);
  return r && r->selected;
}

void ListControl::set_selected(int row, bool selected) {
  if (Row* r = row_at(row)) r->selected = selected;
}

void ListControl::select_all(bool selected) {
  for (Row& r : rows_) r.selected = selected;
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
  // Follow each cycle of the permutation, moving rows in place.
  std::vector<bool> placed(n, false);
  for (std::size_t start = 0; start < n; ++start) {
    if (placed[start]) continue;
    Row held = std::move(rows_[start]);
    std::size_t to = start;
    for (;;) {
      placed[to] = true;
      const auto from = static_cast<std::size_t>(order[to]);
      if (from == start) break;
      rows_[to] = std::move(rows_[from]);
      to = from;
    }
    rows_[to] = std::move(held);
  }
}

std::size_t ListControl::memory_bytes() const {
  std::size_t bytes =
      rows_.capacity() * sizeof(Row) + spare_texts_.capacity() * sizeof(std::string);
  for (const std::string& t : spare_texts_) {
    if (t.capacity() > 15) bytes += t.capacity() + 1;
  }
  for (const Row& r : rows_) {
    bytes += sizeof(ListRow);
    if (r.texts.capacity() > 15) bytes += r.texts.capacity() + 1;
  }
  return bytes;
}

}  // namespace noemie::viewer
