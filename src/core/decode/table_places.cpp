#include "core/decode/table_places.h"

#include <initializer_list>
#include <string>
#include <system_error>

// Set by the build: the tables' folder relative to the program's folder, and the same folder
// under the configured install prefix.
#ifndef NOEMIE_DATA_DIR_FROM_PROGRAM
#define NOEMIE_DATA_DIR_FROM_PROGRAM "../share/noemie-viewer"
#endif
#ifndef NOEMIE_CONFIGURED_DATA_DIR
#define NOEMIE_CONFIGURED_DATA_DIR ""
#endif

namespace noemie::decode {

namespace fs = std::filesystem;

namespace {

// `name` in the first of `folders` where it is a regular file (a link to one counts), or "".
fs::path first_table(std::initializer_list<const fs::path*> folders, const char* name) {
  for (const fs::path* folder : folders) {
    if (folder->empty()) continue;
    fs::path candidate = *folder / name;
    std::error_code ec;
    // A pipe or device would block or never end a read: only plain files are tables.
    if (fs::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

}  // namespace

TablePlaces table_places(const fs::path& program_file) {
  TablePlaces places;
  std::error_code ec;
  places.current_folder = fs::current_path(ec);
  if (ec) places.current_folder.clear();
  if (program_file.has_parent_path()) {
    places.program_folder = program_file.parent_path();
    places.data_folder = (places.program_folder / NOEMIE_DATA_DIR_FROM_PROGRAM).lexically_normal();
  }
  places.configured_data_folder = NOEMIE_CONFIGURED_DATA_DIR;
  return places;
}

TableFiles find_table_files(const TablePlaces& p) {
  TableFiles found;
  found.regime_table =
      first_table({&p.current_folder, &p.program_folder, &p.data_folder, &p.configured_data_folder},
                  kRegimeTableName);
  found.fund_directory = first_table({&p.program_folder, &p.data_folder, &p.configured_data_folder},
                                     kFundDirectoryName);
  return found;
}

}  // namespace noemie::decode
