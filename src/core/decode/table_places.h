#pragma once
// Where the program finds its two name tables, the regime table "caisses.qvc" and the fund
// directory "caisses.dat", wherever it was installed or unpacked.
//
// A practice's own copy wins: the regime table of the current folder, the fund directory
// next to the program. Otherwise the copy installed with the program is used: the data folder
// found from the program's own folder (so that a relocated install or an unpacked archive
// finds its own copy), then the data folder the build was configured for. Finding never
// creates a file anywhere.

#include <filesystem>

namespace noemie::decode {

inline constexpr const char* kRegimeTableName = "caisses.qvc";
inline constexpr const char* kFundDirectoryName = "caisses.dat";

// The folders that may hold the tables. An empty folder is not looked in.
struct TablePlaces {
  std::filesystem::path current_folder;  // the regime table of a practice's own folder
  std::filesystem::path program_folder;  // the program's folder: a fund directory beside it
  std::filesystem::path data_folder;     // the tables installed with the program, found from
                                         // the program's folder ("../share/noemie-viewer")
  std::filesystem::path configured_data_folder;  // the data folder of the build's install prefix
};

// The places of the program at `program_file` run from the process's current folder.
TablePlaces table_places(const std::filesystem::path& program_file);

// The table files found; an empty path where no place holds that table.
struct TableFiles {
  std::filesystem::path regime_table;
  std::filesystem::path fund_directory;
};

// The first existing regular file of each table: the regime table in the current folder, the
// program's folder, the data folder, then the configured data folder; the fund directory in
// the same places but the current folder. A folder, pipe or device of a table's name is
// passed over.
TableFiles find_table_files(const TablePlaces& places);

}  // namespace noemie::decode
