#include "core/bank/csv_statement.h"

#include <array>
#include <optional>
#include <vector>

#include "core/bank/statement_text.h"

namespace noemie::bank {
namespace {

struct CsvRecord {
  int line = 0;  // where it starts, from 1
  std::vector<std::string> cells;
};

// The records of `text` with cells separated by `separator`. A cell that starts with '"' runs
// to the next lone '"' ("" standing for one), line ends included; lines end with CR LF, LF or
// CR.
std::vector<CsvRecord> split_records(std::string_view text, char separator) {
  std::vector<CsvRecord> records;
  CsvRecord record{1, {std::string()}};
  int line = 1;
  bool quoted = false;
  bool cell_started = false;  // a character of the cell was read (a quote opens only a new cell)
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& cell = record.cells.back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
        cell += c;
      }
      continue;
    }
    if (c == '"' && !cell_started) {
      quoted = true;
      cell_started = true;
    } else if (c == separator) {
      record.cells.emplace_back();
      cell_started = false;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      records.push_back(std::move(record));
      ++line;
      record = {line, {std::string()}};
      cell_started = false;
    } else {
      cell += c;
      if (c != ' ') cell_started = true;
    }
  }
  if (record.cells.size() > 1 || !record.cells.back().empty()) records.push_back(std::move(record));
  return records;
}

// Where the columns that matter stand; -1 for none.
struct Columns {
  int date = -1;
  int amount = -1;
  int debit = -1;
  int credit = -1;
  std::vector<int> texts;
};

bool has_word(const std::string& name, std::string_view word) {
  return name.find(word) != std::string::npos;
}

// The columns a header line names, or nothing when it names no date or no amount.
std::optional<Columns> header_columns(const CsvRecord& record) {
  Columns c;
  int value_date = -1;
  std::vector<std::string> names;
  for (const std::string& cell : record.cells) names.push_back(folded_name(cell));
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    const std::string& name = names[static_cast<std::size_t>(i)];
    if (name.starts_with("date")) {
      if (has_word(name, "valeur")) {
        if (value_date < 0) value_date = i;
      } else if (c.date < 0) {
        c.date = i;
      }
    } else if (name.starts_with("montant") && c.amount < 0) {
      c.amount = i;
    } else if (name.starts_with("debit") && c.debit < 0) {
      c.debit = i;
    } else if (name.starts_with("credit") && c.credit < 0) {
      c.credit = i;
    }
  }
  if (c.date < 0) c.date = value_date;
  if (c.date < 0 || (c.amount < 0 && c.credit < 0)) return std::nullopt;
  static constexpr std::array<std::string_view, 8> kTextWords = {
      "libelle",     "detail",    "description", "intitule",
      "information", "reference", "memo",        "operation"};
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    if (i == c.date || i == c.amount || i == c.debit || i == c.credit) continue;
    for (const std::string_view word : kTextWords) {
      if (has_word(names[static_cast<std::size_t>(i)], word)) {
        c.texts.push_back(i);
        break;
      }
    }
  }
  return c;
}

std::string_view cell_at(const CsvRecord& record, int column) {
  return column >= 0 && static_cast<std::size_t>(column) < record.cells.size()
             ? trim_blanks(record.cells[static_cast<std::size_t>(column)])
             : std::string_view();
}

// Lines before the header that are looked at.
constexpr std::size_t kHeaderSearch = 40;

}  // namespace

Statement read_csv(std::string_view bytes) {
  const std::string text = statement_text(bytes, std::nullopt);
  Statement statement;
  std::vector<CsvRecord> records;
  std::optional<Columns> columns;
  std::size_t header = 0;
  for (const char separator : {';', ',', '\t'}) {
    records = split_records(text, separator);
    for (header = 0; header < records.size() && header < kHeaderSearch; ++header) {
      columns = header_columns(records[header]);
      if (columns) break;
    }
    if (columns) break;
  }
  if (!columns) {
    statement.error =
        "aucune ligne d'en-t\xEAte ne nomme une colonne de date et une colonne de montant (ou "
        "\xAB Cr\xE9"
        "dit \xBB)";
    return statement;
  }
  for (std::size_t r = header + 1; r < records.size(); ++r) {
    const CsvRecord& record = records[r];
    const std::string_view date_cell = cell_at(record, columns->date);
    if (date_cell.empty()) continue;  // a blank line, a balance
    const std::string_view amount_cell =
        cell_at(record, columns->amount >= 0 ? columns->amount : columns->credit);
    if (amount_cell.empty()) continue;  // a debit of its own column
    const auto date = parse_statement_date(date_cell);
    if (!date) {
      statement.error = line_fault(record.line, "date illisible " + quoted_text(date_cell));
      break;
    }
    auto amount = parse_statement_amount(amount_cell);
    if (!amount) {
      statement.error = line_fault(record.line, "montant illisible " + quoted_text(amount_cell));
      break;
    }
    // A credit column may write its amounts with a sign of either kind.
    if (columns->amount < 0 && *amount < 0) *amount = -*amount;
    if (*amount <= 0) continue;
    std::string label;
    for (const int column : columns->texts) {
      const std::string_view part = cell_at(record, column);
      if (part.empty()) continue;
      if (!label.empty()) label += ' ';
      label += part;
    }
    statement.credits.push_back({date->day, date->text, *amount, std::move(label), record.line});
  }
  if (!statement.error.empty()) statement.credits.clear();
  return statement;
}

}  // namespace noemie::bank
