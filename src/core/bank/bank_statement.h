#pragma once
// A bank statement as a French bank lets a practice download it, reduced to its credits (the
// money received): OFX files (1.x in SGML, 2.x in XML; their STMTTRN transactions) and CSV
// files (";" or "," between cells, a decimal comma, Windows-1252 or UTF-8; the date column and
// the amount column, or the "Débit" and "Crédit" columns, found by their header names).
//
// A statement comes from outside: nothing in it is trusted, every read is bounded, and a
// statement that cannot be read says which line stopped it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace noemie::bank {

// One credit of a statement.
struct BankCredit {
  std::int32_t day = 0;    // its date, as days since 1 January 1970
  std::string date;        // the same as "DD/MM/YYYY"
  std::int64_t cents = 0;  // the amount received, above 0
  std::string text;        // what the bank says of it (labels, references), Windows-1252
  int line = 0;            // the line of the statement where it stands, from 1
  bool operator==(const BankCredit&) const = default;
};

struct Statement {
  std::vector<BankCredit> credits;  // in the statement's order
  // Why the statement cannot be read (Windows-1252, French, naming the line: "ligne 12 :
  // montant illisible « 12,3a »"); "" when it could. When set, `credits` is empty.
  std::string error;
};

// The credits of a statement's bytes: OFX when the bytes hold an <OFX> element or begin with
// an OFX header, CSV otherwise.
Statement read_statement(std::string_view bytes);

// The same from a file; a file that cannot be read is an error too.
Statement read_statement_file(const std::filesystem::path& file);

// The message a window or a command shows for a statement that cannot be read (Windows-1252):
// "Le relevé bancaire <file> ne peut pas être lu : <error>. Rien n'a été changé."
std::string statement_failure_message(const std::filesystem::path& file, std::string_view error);

}  // namespace noemie::bank
