#include "core/viewer/transfer_sheet.h"

#include <array>

#include "core/text/cp1252.h"
#include "core/viewer/list_summary.h"

namespace noemie::viewer {
namespace {

using Kind = TransferSortKind;

constexpr std::array<TransferColumnInfo, 13> kColumns = {{
    {"Point\xE9", 49, Align::Left, Kind::Number},
    {"Date comptable", 105, Align::Left, Kind::Date},
    {"R\xE9"
     "f\xE9rence",
     532, Align::Left, Kind::Text},
    {"Caisse", 490, Align::Left, Kind::Text},
    {"Fichier", 140, Align::Left, Kind::Text},
    {"Lignes", 49, Align::Right, Kind::Number},
    {"AMO", 98, Align::Right, Kind::Amount},
    {"AMC", 98, Align::Right, Kind::Amount},
    {"Total", 98, Align::Right, Kind::Amount},
    {"Annonc\xE9", 98, Align::Right, Kind::Amount},
    {"\xC9"
     "cart",
     98, Align::Right, Kind::Amount},
    {"Relev\xE9", 77, Align::Left, Kind::Date},
    {"Libell\xE9", 560, Align::Left, Kind::Text},
}};

// Widths of the date, the amount and the text of an unmatched credit in the text export.
constexpr int kCreditWidths[] = {77, 98, 560};
constexpr int kPixelsPerChar = 7;

std::string euros(const std::optional<std::int64_t>& cents) {
  return cents ? euro_text(*cents) : std::string();
}

// One line of cells in the form of `mode`.
void write_line(std::string& out, const std::vector<std::string>& cells,
                const std::vector<int>& widths, ExportMode mode) {
  if (mode == ExportMode::Html) out += "<tr>";
  for (std::size_t c = 0; c < cells.size(); ++c) {
    sav_write_data(out, cells[c], c < widths.size() ? widths[c] : 0, mode);
  }
  end_export_line(out, mode);
}

std::vector<std::string> credit_cells(const bank::BankCredit& credit) {
  return {credit.date, euro_text(credit.cents), credit.text};
}

}  // namespace

const TransferColumnInfo& transfer_column_info(TransferColumn column) {
  return kColumns[static_cast<std::size_t>(column)];
}

std::int64_t transfer_amount(const TransferLine& line) {
  return line.announced.value_or(line.total);
}

std::vector<TransferColumn> TransferSheet::columns() const {
  std::vector<TransferColumn> out;
  if (with_ticks) out.push_back(TransferColumn::Pointe);
  for (int c = static_cast<int>(TransferColumn::Date); c <= static_cast<int>(TransferColumn::Ecart);
       ++c) {
    out.push_back(static_cast<TransferColumn>(c));
  }
  if (with_statement) {
    out.push_back(TransferColumn::Releve);
    out.push_back(TransferColumn::Libelle);
  }
  return out;
}

std::string TransferSheet::cell(std::size_t line, TransferColumn column) const {
  const TransferLine& l = lines.at(line);
  const bank::BankCredit* credit = line < bank.size() && bank[line] ? &*bank[line] : nullptr;
  switch (column) {
    case TransferColumn::Pointe:
      return is_ticked(line) ? "oui" : "";
    case TransferColumn::Date:
      return l.date;
    case TransferColumn::Reference:
      return l.reference;
    case TransferColumn::Caisse:
      return l.caisse;
    case TransferColumn::Fichier:
      return l.fichier;
    case TransferColumn::Lignes:
      return std::to_string(l.rows);
    case TransferColumn::Amo:
      return euro_text(l.amo);
    case TransferColumn::Amc:
      return euro_text(l.amc);
    case TransferColumn::Total:
      return euro_text(l.total);
    case TransferColumn::Annonce:
      return euros(l.announced);
    case TransferColumn::Ecart:
      return euros(l.gap());
    case TransferColumn::Releve:
      return credit ? credit->date : "";
    case TransferColumn::Libelle:
      return credit ? credit->text : "";
  }
  return {};
}

std::vector<std::string> TransferSheet::totals_cells() const {
  const TransferTotals t = transfer_totals(lines);
  std::vector<std::string> cells;
  for (const TransferColumn column : columns()) {
    switch (column) {
      case TransferColumn::Date:
        cells.emplace_back("Total");
        break;
      case TransferColumn::Reference:
        cells.push_back(std::to_string(t.transfers) +
                        (t.transfers > 1 ? " virements" : " virement"));
        break;
      case TransferColumn::Lignes:
        cells.push_back(std::to_string(t.rows));
        break;
      case TransferColumn::Amo:
        cells.push_back(euro_text(t.amo));
        break;
      case TransferColumn::Amc:
        cells.push_back(euro_text(t.amc));
        break;
      case TransferColumn::Total:
        cells.push_back(euro_text(t.total));
        break;
      case TransferColumn::Annonce:
        cells.push_back(euros(t.announced));
        break;
      case TransferColumn::Ecart:
        cells.push_back(euros(t.gap));
        break;
      default:
        cells.emplace_back();
    }
  }
  return cells;
}

std::string transfer_status_text(const TransferSheet& sheet) {
  std::int64_t all = 0;
  std::int64_t ticked = 0;
  for (std::size_t l = 0; l < sheet.lines.size(); ++l) {
    const std::int64_t amount = transfer_amount(sheet.lines[l]);
    all += amount;
    if (sheet.is_ticked(l)) ticked += amount;
  }
  const std::string euro = std::string(" ") + text::kEuro;
  const std::size_t n = sheet.lines.size();
  return std::to_string(n) + (n > 1 ? " virements" : " virement") + " - total " + euro_text(all) +
         euro + " - point\xE9s " + euro_text(ticked) + euro + " - \xE0 pointer " +
         euro_text(all - ticked) + euro;
}

std::string transfer_sheet_bytes(const TransferSheet& sheet, ExportMode mode,
                                 std::string_view title) {
  const std::vector<TransferColumn> columns = sheet.columns();
  std::vector<std::string> titles;
  std::vector<int> widths;
  for (const TransferColumn c : columns) {
    titles.emplace_back(transfer_column_info(c).title);
    widths.push_back(transfer_column_info(c).width);
  }
  std::string out = mode == ExportMode::Html ? html_export_head(title) : std::string();
  // The header line's "<tr>" is the head's own.
  for (std::size_t c = 0; c < titles.size(); ++c) sav_write_data(out, titles[c], widths[c], mode);
  end_export_line(out, mode);
  std::vector<std::string> cells(columns.size());
  for (std::size_t l = 0; l < sheet.lines.size(); ++l) {
    for (std::size_t c = 0; c < columns.size(); ++c) cells[c] = sheet.cell(l, columns[c]);
    write_line(out, cells, widths, mode);
  }
  if (mode != ExportMode::Excel) write_line(out, sheet.totals_cells(), widths, mode);
  if (sheet.with_statement) {
    const std::string section(kUnmatchedCreditsTitle);
    write_line(out, {section}, {static_cast<int>(section.size() + 1) * kPixelsPerChar}, mode);
    const std::vector<int> credit_widths(std::begin(kCreditWidths), std::end(kCreditWidths));
    for (const bank::BankCredit& credit : sheet.unmatched) {
      write_line(out, credit_cells(credit), credit_widths, mode);
    }
  }
  if (mode == ExportMode::Html) out += "</table>";
  return out;
}

void transfer_print_list(const TransferSheet& sheet, ListControl& list) {
  const std::vector<TransferColumn> columns = sheet.columns();
  list.insert_column(0, "", Align::Left, 0);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const TransferColumnInfo& info = transfer_column_info(columns[c]);
    list.insert_column(static_cast<int>(c) + 1, std::string(info.title), info.align, info.width);
  }
  for (int c = static_cast<int>(columns.size()) + 1; c < kColumnCount; ++c) {
    list.insert_column(c, "", Align::Left, 0);
  }
  const auto add = [&list](const std::vector<std::string>& texts) {
    ListControl::Cells cells;
    for (std::size_t c = 0; c < texts.size() && c + 1 < cells.size(); ++c) cells[c + 1] = texts[c];
    list.add_row(std::make_unique<ListRow>(ListRow{list.row_count()}), cells, kNoIcon, kNoIcon);
  };
  std::vector<std::string> cells(columns.size());
  for (std::size_t l = 0; l < sheet.lines.size(); ++l) {
    for (std::size_t c = 0; c < columns.size(); ++c) cells[c] = sheet.cell(l, columns[c]);
    add(cells);
  }
  add(sheet.totals_cells());
  if (sheet.with_statement) {
    add({std::string(kUnmatchedCreditsTitle)});
    for (const bank::BankCredit& credit : sheet.unmatched) add(credit_cells(credit));
  }
}

}  // namespace noemie::viewer
