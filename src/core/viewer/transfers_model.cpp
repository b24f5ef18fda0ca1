#include "core/viewer/transfers_model.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "core/store/flag_store.h"
#include "core/viewer/sort.h"
#include "core/viewer/transfer_match.h"

namespace noemie::viewer {

TransfersModel::TransfersModel(Viewer& viewer, store::TickStore& ticks, platform::Dialogs& dialogs)
    : viewer_(viewer), ticks_(ticks), dialogs_(dialogs) {
  sheet_.with_ticks = true;
  columns_ = sheet_.columns();
}

void TransfersModel::warn(const std::string& text) const {
  dialogs_.message_box(text, kViewerWarningCaption, platform::MessageIcon::Warning);
}

void TransfersModel::load_ticks() {
  const std::string error = ticks_.load();
  if (!error.empty()) warn(error);
}

store::TickKey TransfersModel::tick_key(const TransferLine& line) const {
  return {store::file_number(line.key.file_name), line.key.position, line.date, line.reference};
}

void TransfersModel::refresh() {
  sheet_.lines = viewer_.transfer_lines();
  order_lines();
}

// Ticks and bank lines follow the lines, which come in the fill's order, then in the sort's.
void TransfersModel::order_lines() {
  const auto fill_cells = [this]() {
    sheet_.ticked.clear();
    sheet_.bank.clear();
    for (const TransferLine& line : sheet_.lines) {
      sheet_.ticked.push_back(ticks_.ticked(tick_key(line)));
      const auto credit = matched_.find(line.key);
      sheet_.bank.push_back(credit == matched_.end() ? std::nullopt
                                                     : std::optional(credit->second));
    }
  };
  fill_cells();
  if (sort_column_ == kNoSortColumn) return;
  const TransferColumn column = this->column(sort_column_);
  const TransferSortKind kind = transfer_column_info(column).sort;
  std::vector<std::size_t> order(sheet_.lines.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::vector<std::string> texts;
  std::vector<std::int64_t> keys;
  for (std::size_t l = 0; l < sheet_.lines.size(); ++l) {
    const std::string cell = sheet_.cell(l, column);
    std::int64_t key = 0;
    switch (kind) {
      case TransferSortKind::Text:
        break;
      case TransferSortKind::Date:
        key = date_key(cell);
        break;
      case TransferSortKind::Number:
        key = column == TransferColumn::Pointe ? sheet_.is_ticked(l) : sheet_.lines[l].rows;
        break;
      case TransferSortKind::Amount: {
        const TransferLine& line = sheet_.lines[l];
        const std::optional<std::int64_t> cents =
            column == TransferColumn::Amo       ? std::optional(line.amo)
            : column == TransferColumn::Amc     ? std::optional(line.amc)
            : column == TransferColumn::Total   ? std::optional(line.total)
            : column == TransferColumn::Annonce ? line.announced
                                                : line.gap();
        key = cents.value_or(std::numeric_limits<std::int64_t>::min());
        break;
      }
    }
    texts.push_back(cell);
    keys.push_back(key);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (kind != TransferSortKind::Text) return keys[a] < keys[b];
    return std::lexicographical_compare(
        texts[a].begin(), texts[a].end(), texts[b].begin(), texts[b].end(), [](char x, char y) {
          return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
  });
  std::vector<TransferLine> lines;
  lines.reserve(order.size());
  for (const std::size_t l : order) lines.push_back(std::move(sheet_.lines[l]));
  sheet_.lines = std::move(lines);
  fill_cells();
}

std::string TransfersModel::cell(int row, int c) const {
  if (row < 0 || row >= row_count() || c < 0 || c >= column_count()) return {};
  return sheet_.cell(static_cast<std::size_t>(row), column(c));
}

bool TransfersModel::red(int row) const {
  const std::optional<std::int64_t> gap = line(row).gap();
  return gap && *gap != 0;
}

void TransfersModel::sort(int c) {
  if (c < 0 || c >= column_count()) return;
  // Each sort starts from the order the lines have now, so that equal keys keep it.
  sort_column_ = c;
  order_lines();
}

void TransfersModel::set_ticked(int row, bool ticked) {
  if (row < 0 || row >= row_count()) return;
  const std::string error = ticks_.set_ticked(tick_key(line(row)), ticked);
  sheet_.ticked[static_cast<std::size_t>(row)] = ticks_.ticked(tick_key(line(row)));
  if (!error.empty()) warn(error);
}

void TransfersModel::narrow_list_to(int row) {
  if (row < 0 || row >= row_count()) return;
  viewer_.narrow_to_transfer(line(row));
}

std::string TransfersModel::export_bytes(ExportMode mode) const {
  return transfer_sheet_bytes(sheet_, mode);
}

void TransfersModel::sav(ExportMode mode) {
  const std::optional<std::filesystem::path> target = viewer_.choose_export_file(mode);
  if (!target) return;
  const std::string bytes = export_bytes(mode);
  const std::string error =
      write_export_file(*target, [&](const store::ByteSink& sink) { return sink(bytes); });
  if (!error.empty()) viewer_.show_export_failure(error);
}

std::vector<platform::FileFilter> TransfersModel::statement_filters() {
  return {{"Relev\xE9s bancaires (OFX, CSV)", "*.OFX;*.QFX;*.CSV;*.TXT"},
          {"Tous les fichiers", "*.*"}};
}

bool TransfersModel::apply_statement(const std::filesystem::path& file) {
  const bank::Statement statement = bank::read_statement_file(file);
  if (!statement.error.empty()) {
    warn(bank::statement_failure_message(file, statement.error));
    return false;
  }
  // Matched against the transfers in the fill's order, whatever the window's sort.
  const std::vector<TransferLine> lines = viewer_.transfer_lines();
  const StatementMatch match = match_statement(lines, statement.credits);
  matched_.clear();
  std::vector<store::TickKey> ticked;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const int c = match.credit_of_line[l];
    if (c < 0) continue;
    matched_[lines[l].key] = statement.credits[static_cast<std::size_t>(c)];
    ticked.push_back(tick_key(lines[l]));
  }
  sheet_.unmatched.clear();
  for (const std::size_t c : match.unmatched) sheet_.unmatched.push_back(statement.credits[c]);
  sheet_.with_statement = true;
  columns_ = sheet_.columns();
  if (sort_column_ >= column_count()) sort_column_ = kNoSortColumn;
  const std::string error = ticks_.set_ticked(ticked, true);
  refresh();
  if (!error.empty()) warn(error);
  return true;
}

}  // namespace noemie::viewer
