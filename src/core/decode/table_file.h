#pragma once
// Reading of the two name tables of the health-fund directory, with the original's opening
// rule: a table file that does not exist is created empty (unless the caller forbids writing,
// as the headless export does), and never written otherwise.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace noemie::decode {

// The first `max_bytes` bytes of the file at `path` (all of it when it is shorter). When the
// file does not exist and `create_if_missing` is true, an empty file is created first (an
// existing file is never truncated). Returns nothing when the file cannot be opened or read,
// including a folder given as `path`, and for an empty `path`; an empty file gives an empty
// text.
std::optional<std::string> read_table_file(const std::filesystem::path& path, std::size_t max_bytes,
                                           bool create_if_missing);

}  // namespace noemie::decode
