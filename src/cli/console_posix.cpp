#include "cli/console.h"

#include <unistd.h>

namespace noemie::cli {

void prepare_standard_streams() {}

std::vector<std::string> command_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

bool write_text(std::FILE* stream, std::string_view text) {
  const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
  return std::fflush(stream) == 0 && written == text.size();
}

bool is_terminal(std::FILE* stream) {
  return ::isatty(::fileno(stream)) == 1;
}

}  // namespace noemie::cli
