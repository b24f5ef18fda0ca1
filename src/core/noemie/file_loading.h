#pragma once
// Loading a return file whole into memory.

#include <cstddef>
#include <filesystem>
#include <memory>

#include "core/platform/file_stamp.h"

namespace noemie {

// Reads the whole file at `path` into `buffer`; `read` is the number of bytes actually read
// (a file cut meanwhile, or a read error, leaves what was read). Returns -1 when done, or 0
// when the file cannot be opened: it is missing, a dangling link, not readable, or not a
// regular file (a folder cannot be read, and reading a pipe could wait for ever). Throws
// std::bad_alloc when there is no memory for the file. `file_time` receives the file's last
// modification as a file time (100-ns units since 1601, UTC) once it is open, and `stamp`,
// when given, the file's stamp as it was before its bytes were read.
int load_file(const std::filesystem::path& path, std::unique_ptr<unsigned char[]>& buffer,
              std::size_t& read, std::int64_t& file_time, platform::FileStamp* stamp = nullptr);

}  // namespace noemie
