#pragma once
// The two steps of replacing a file whole on Windows: write a new file beside it, then put
// it in the old one's place in one step. Windows only.

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace noemie::platform::win32 {

// Takes bytes piece by piece; false once a piece could not be written.
using ByteSink = std::function<bool(std::string_view bytes)>;

// Creates `file`, which must not exist yet (else file_exists), writes to it the bytes that
// `produce` hands to its sink and flushes them to the disk. `produce` returning false gives up
// (operation_canceled). On any failure, or an exception from `produce`, the new file is
// removed again.
std::error_code write_new_file(const std::filesystem::path& file,
                               const std::function<bool(const ByteSink&)>& produce);

// Puts `source` in the place of `target` (replacing it, on the same volume, in one step) and
// returns once that is on the disk. On failure `target` is untouched and `source` removed.
std::error_code replace_file(const std::filesystem::path& source,
                             const std::filesystem::path& target);

}  // namespace noemie::platform::win32
