#include "cli/virements_command.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/export_options.h"
#include "cli/export_output.h"
#include "cli/headless_list.h"
#include "cli/headless_run.h"
#include "cli/pdf_output.h"
#include "core/bank/bank_statement.h"
#include "core/platform/path_text.h"
#include "core/text/cp1252.h"
#include "core/viewer/transfer_match.h"
#include "core/viewer/transfer_sheet.h"

namespace noemie::cli {
namespace {

namespace fs = std::filesystem;

// The transfer list of the rows chosen, matched with `statement` when there is one: a matched
// transfer counts as ticked in the line under the table.
viewer::TransferSheet transfer_sheet(const viewer::Viewer& list,
                                     const std::optional<bank::Statement>& statement) {
  viewer::TransferSheet sheet;
  sheet.lines = list.transfer_lines();
  if (!statement) return sheet;
  sheet.with_statement = true;
  const viewer::StatementMatch match = viewer::match_statement(sheet.lines, statement->credits);
  for (const int credit : match.credit_of_line) {
    sheet.bank.push_back(credit < 0
                             ? std::nullopt
                             : std::optional(statement->credits[static_cast<std::size_t>(credit)]));
    sheet.ticked.push_back(credit >= 0);
  }
  for (const std::size_t c : match.unmatched) sheet.unmatched.push_back(statement->credits[c]);
  return sheet;
}

int run_virements(const ExportOptions& options) {
  // The statement first: one that cannot be read stops the command before anything is read.
  std::optional<bank::Statement> statement;
  if (!options.statement.empty()) {
    const fs::path file = platform::path_from_native_text(options.statement);
    statement = bank::read_statement_file(file);
    if (!statement->error.empty()) {
      print_error(text::cp1252_to_utf8(bank::statement_failure_message(file, statement->error)));
      return kExitUsage;
    }
  }
  HeadlessList list(options);
  if (const std::optional<int> status = list.fill()) return *status;
  const viewer::TransferSheet sheet = transfer_sheet(list.viewer(), statement);
  std::string error;
  if (options.pdf) {
    error = write_transfers_pdf(list.viewer(), sheet, options);
  } else {
    const std::string bytes = viewer::transfer_sheet_bytes(sheet, options.mode);
    const ByteMaker maker = [&](const std::function<bool(std::string_view)>& sink) {
      return sink(bytes);
    };
    error = write_output(options.output, maker, true, [&](const fs::path& target) {
      return text::cp1252_to_utf8(viewer::write_export_file(
          target, [&](const store::ByteSink& sink) { return sink(bytes); }));
    });
  }
  if (!error.empty()) {
    print_error(error);
    return kExitNotWritten;
  }
  return kExitWritten;
}

}  // namespace

int run_virements_command(int argc, char** argv) {
  return run_command(
      argc, argv, parse_virements_arguments, print_virements_help,
      [](const ParsedArguments& parsed) { return run_virements(parsed.options); },
      "the transfer list was not written");
}

}  // namespace noemie::cli
