#include "cli/console.h"

namespace noemie::cli {

void prepare_standard_streams() {}

std::vector<std::string> command_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

bool write_text(std::FILE* stream, std::string_view text) {
  const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
  return std::fflush(stream) == 0 && written == text.size();
}

}  // namespace noemie::cli
