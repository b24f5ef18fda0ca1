#include "cli/fault_line_reporter.h"

#include <string_view>

#include "cli/console.h"
#include "core/platform/path_text.h"
#include "core/text/cp1252.h"

namespace noemie::cli {

std::string fault_line(const FaultReport& fault) {
  std::string_view message = fault.description;
  // The description carries the dialog's "\r\n"; the line has its own end.
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.remove_suffix(1);
  }
  std::string line = "noemie-viewer: error ";
  line += std::to_string(fault.code);
  line += " at offset ";
  line += std::to_string(fault.position);
  line += " (start ";
  line += std::to_string(fault.start);
  line += ") in ";
  line += platform::path_to_native_text(fault.path);
  line += ": ";
  line += text::cp1252_to_utf8(message);
  line += '\n';
  return line;
}

void FaultLineReporter::report(const FaultReport& fault) {
  if (is_silent_fault(fault.code)) return;
  const std::string line = fault_line(fault);
  // One write per line, so that lines from several runs sharing the stream never interleave.
  write_text(out_, line);
  ++lines_written_;
}

}  // namespace noemie::cli
