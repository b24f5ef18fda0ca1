#include "cli/summary_command.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "cli/console.h"
#include "cli/export_options.h"
#include "cli/headless_list.h"
#include "cli/headless_run.h"
#include "core/viewer/list_summary.h"

namespace noemie::cli {
namespace {

int run_summary(const ExportOptions& options) {
  HeadlessList list(options);
  if (const std::optional<int> status = list.fill()) return *status;
  errno = 0;
  if (!write_text(stdout, viewer::summary_lines(list.viewer().summary()))) {
    const int error = errno != 0 ? errno : EIO;
    print_error("cannot write the summary to standard output: " +
                std::string(std::strerror(error)));
    return kExitNotWritten;
  }
  return kExitWritten;
}

}  // namespace

int run_summary_command(int argc, char** argv) {
  return run_command(
      argc, argv, parse_summary_arguments, print_summary_help,
      [](const ParsedArguments& parsed) { return run_summary(parsed.options); },
      "the summary was not written");
}

}  // namespace noemie::cli
