#pragma once
// Faults met while reading return files, written one line each to a stream (the export
// command's standard error) instead of the desktop viewer's error dialog.

#include <cstdio>
#include <string>

#include "core/noemie/fault_report.h"

namespace noemie::cli {

// The line of one fault, with its line feed:
//   noemie-viewer: error CODE at offset POS (start START) in PATH: MESSAGE
// CODE, POS and START in decimal (START -1 when no start was found), PATH the file's path as
// the platform gives it (bytes as they are), MESSAGE the fault's French text without its line
// end, converted from Windows-1252 to UTF-8.
std::string fault_line(const FaultReport& fault);

class FaultLineReporter final : public FaultReporter {
 public:
  // `out` must stay open while the reporter is used.
  explicit FaultLineReporter(std::FILE* out) : out_(out) {}

  // Writes the fault's line in one write. Silent codes never print.
  void report(const FaultReport& fault) override;

  // Number of lines written so far.
  int lines_written() const { return lines_written_; }

 private:
  std::FILE* out_;
  int lines_written_ = 0;
};

}  // namespace noemie::cli
