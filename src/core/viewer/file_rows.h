#pragma once
// One return file as the list shows it: read, parsed and turned into the cell texts of its
// rows, with the faults its reading met. Made once per content of the file and "Abrégé"
// setting, then listed by every fill that keeps the file; it holds the rows and what the list
// needs to decide about the file (reference, time), never the parsed entries.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/noemie/fault_report.h"
#include "core/noemie/reader.h"
#include "core/noemie/return_record.h"
#include "core/viewer/list_summary.h"
#include "core/viewer/row_block.h"
#include "core/viewer/row_cells.h"

namespace noemie::decode {
class RegimeTable;
}

namespace noemie::viewer {

struct FileRows {
  // Every fault reading the file reported, in order (silent ones are never reported).
  std::vector<FaultReport> faults;
  // The rows, one per entry; null when the reader refused the file (no row is listed then).
  std::shared_ptr<const RowBlock> rows;
  std::array<char, kRefSize> ref{};  // the header's reference zone
  std::int64_t file_time = 0;        // the file's time stamp, as its "Fichier" cell shows it
  // The file's stamp as it was before it was read; none when it could not be opened or
  // changed while it was read.
  std::optional<platform::FileStamp> stamp;
  int marker_icon = 0;  // the "Réf" marker of every row
  // The summary of the rows, once a viewer has worked it out (on its own thread, or on the
  // fill's threads while no one else reads it); kept with the rows from fill to fill.
  mutable std::optional<ListSummary> summary;
  // False when what the reading met may not happen again (the file could not be opened, memory
  // ran out): such a result is never kept for a later fill.
  bool keepable = true;

  std::string_view ref_zone() const { return {ref.data(), ref.size()}; }
};

// Reads return files one after the other into FileRows, keeping its buffers from file to file.
// One per thread: it is not shared.
class FileRowsMaker {
 public:
  // `regimes` names the funds of the "Caisse" cells; it must outlive the maker and not change
  // while it is used. With `summarize`, each file read comes with its summary.
  explicit FileRowsMaker(const decode::RegimeTable& regimes, bool summarize = false);

  // Reads the file at `path`, whose bare name (Windows-1252) is `name`, with the "Abrégé"
  // setting `abrege`; `listed` is the file's stamp as the folder listing gave it, or null.
  // Throws std::bad_alloc when the rows cannot be made. With `lend_rows`, the rows are the
  // maker's own block, not a copy: they are good until the maker's next read (rows written out
  // at once, then dropped).
  FileRows read(const std::filesystem::path& path, std::string_view name, bool abrege,
                const platform::FileStamp* listed = nullptr, bool lend_rows = false);

 private:
  class Faults final : public FaultReporter {
   public:
    std::vector<FaultReport> reports;
    void report(const FaultReport& fault) override { reports.push_back(fault); }
  };

  const decode::RegimeTable& regimes_;
  bool summarize_;
  Faults faults_;
  NoemieReader reader_{faults_};
  ReturnRecord record_;
  RowBlock rows_;
};

}  // namespace noemie::viewer
