#include "core/decode/table_file.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace noemie::decode {

std::optional<std::string> read_table_file(const std::filesystem::path& path, std::size_t max_bytes,
                                           bool create_if_missing) {
  // No path names no file: there is nothing to read or create.
  if (path.empty()) return std::nullopt;
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    if (!create_if_missing) return std::nullopt;
    // Append mode creates the file and never truncates one that appeared meanwhile.
    std::ofstream create(path, std::ios::binary | std::ios::app);
    if (!create) return std::nullopt;
  } else if (std::filesystem::is_directory(status)) {
    return std::nullopt;
  }

  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  // Read in pieces so that a large file never costs more than `max_bytes` of memory.
  constexpr std::size_t kPiece = 64 * 1024;
  while (bytes.size() < max_bytes) {
    const std::size_t want = std::min(kPiece, max_bytes - bytes.size());
    const std::size_t old_size = bytes.size();
    bytes.resize(old_size + want);
    in.read(bytes.data() + old_size, static_cast<std::streamsize>(want));
    const auto got = static_cast<std::size_t>(in.gcount());
    bytes.resize(old_size + got);
    if (got < want) break;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace noemie::decode
