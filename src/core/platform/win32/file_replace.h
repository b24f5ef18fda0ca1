#pragma once
// The two steps of replacing a file whole on Windows: write a new file beside it, then put
// it in the old one's place in one step. Windows only.

#include <filesystem>
#include <string_view>
#include <system_error>

namespace noemie::platform::win32 {

// Creates `file`, which must not exist yet (else file_exists), writes `bytes` to it and
// flushes them to the disk. On any failure the new file is removed again.
std::error_code write_new_file(const std::filesystem::path& file, std::string_view bytes);

// Puts `source` in the place of `target` (replacing it, on the same volume, in one step) and
// returns once that is on the disk. On failure `target` is untouched and `source` removed.
std::error_code replace_file(const std::filesystem::path& source,
                             const std::filesystem::path& target);

}  // namespace noemie::platform::win32
