#pragma once
// The list a headless command works on: the folder filled exactly as the viewer fills it,
// with the filters, sorts and find text of the command's options, without any display.

#include <memory>
#include <optional>
#include <string>

#include "cli/export_options.h"
#include "cli/fault_line_reporter.h"
#include "cli/headless_dialogs.h"
#include "core/platform/clock.h"
#include "core/store/flag_store.h"
#include "core/store/registry.h"
#include "core/store/result_titles.h"
#include "core/store/settings.h"
#include "core/viewer/viewer.h"

namespace noemie::cli {

// A headless command makes one list and ends the process once it has written what it was
// asked: the list's rows are then left to the process's end rather than freed one by one.
class HeadlessList {
 public:
  // With `write_once`, the command writes the rows once and nothing else: when the options ask
  // for the list's first order (no sort, no find), the rows are then written as the files are
  // read (write_rows), never all held at once, and viewer() holds no rows.
  explicit HeadlessList(const ExportOptions& options, bool write_once = false);
  HeadlessList(const HeadlessList&) = delete;
  HeadlessList& operator=(const HeadlessList&) = delete;
  ~HeadlessList();

  // Fills the list (faults go to standard error, one line each). Nothing, or the exit status
  // of a command that cannot go on (the message printed): FOLDER is not a folder that can be
  // read.
  std::optional<int> fill();

  const viewer::Viewer& viewer() const { return *viewer_; }
  // Hands the export of the rows in `mode` to `sink` (see Viewer::stream_export); false when
  // the sink stopped it.
  bool write_rows(viewer::ExportMode mode, const viewer::ExportSink& sink);

 private:
  const ExportOptions& options_;
  bool streamed_;
  HeadlessDialogs dialogs_;
  FaultLineReporter reporter_{stderr};
  std::unique_ptr<store::Registry> registry_;
  std::unique_ptr<store::Settings> settings_;
  store::ResultTitles titles_;
  std::unique_ptr<store::FlagStore> flags_;
  platform::SystemClock clock_;
  std::unique_ptr<viewer::Viewer> viewer_;
};

}  // namespace noemie::cli
