#pragma once
// The arguments of `noemie-viewer export [options] FOLDER`, read into ExportOptions.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "core/viewer/list_export.h"

namespace noemie::cli {

// What the export command was asked to do.
struct ExportOptions {
  viewer::ExportMode mode = viewer::ExportMode::Text;  // --format text|excel|html
  bool pdf = false;                                    // --format pdf
  std::string output = "-";                            // --output FILE; "-" is standard output
  int type_liste = 0;                                  // --kind 0..3
  int type_date = 0;                                   // --age 0..3
  std::optional<int> kind_mask;  // --mask 0..255; nullopt keeps `noemie rsp aff` as stored
  std::optional<bool> abrege;    // --abrege / --no-abrege; nullopt keeps `noemie abrege`
  std::vector<int> sorts;        // --sort COL (0..16), in the order given
  std::string find;              // --find TEXT, native text; "" finds every row
  std::string statement;         // --releve FILE (virements), native text; "" for none
  std::string folder;            // FOLDER, as given
};

// The outcome of reading the arguments: `options` holds a complete request when Run.
struct ParsedArguments : CommandOutcome {
  ExportOptions options;
};

// Reads the arguments that follow "export". Options and FOLDER may come in any order, an
// option's value may be given as the next argument or after "=" ("--format=html"), and "--"
// ends the options (so a FOLDER may begin with "-"). Exactly one FOLDER is required. A later
// --abrege / --no-abrege overrides an earlier one; other repeated options keep the last value,
// except --sort, which adds a sort each time. Long option names may be shortened as long as
// they stay unambiguous ("--out" for "--output").
ParsedArguments parse_export_arguments(std::span<const std::string> args);

// Reads the arguments that follow "summary" alike: the filter options (--kind, --age, --mask,
// --abrege, --no-abrege), --find and FOLDER.
ParsedArguments parse_summary_arguments(std::span<const std::string> args);

// Reads the arguments that follow "virements": the export's options but --sort, and
// --releve FILE.
ParsedArguments parse_virements_arguments(std::span<const std::string> args);

}  // namespace noemie::cli
