#include "core/store/shared_file.h"

#include <fstream>
#include <system_error>

#include "core/platform/path_text.h"

namespace noemie::store {

namespace fs = std::filesystem;

FileRead read_whole_file(const fs::path& file) {
  FileRead read;
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) {
    read.missing = true;
    return read;
  }
  if (ec) {
    read.error = "cannot read " + platform::path_to_native_text(file) + ": " + ec.message();
    return read;
  }
  if (!fs::is_regular_file(status)) {
    read.error = "cannot read " + platform::path_to_native_text(file) + ": not a regular file";
    return read;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) {
    read.error = "cannot open " + platform::path_to_native_text(file);
    return read;
  }
  std::string bytes;
  char chunk[1 << 16];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    read.error = "cannot read " + platform::path_to_native_text(file);
    return read;
  }
  read.bytes = std::move(bytes);
  return read;
}

SharedFileUpdate update_shared_file(const fs::path& file, const SharedFileOptions& options,
                                    const FileUpdater& update) {
  SharedFileUpdate result;
  // Programs that reach the file through a symbolic link lock the lock file of the file the
  // link leads to, as those that name the file itself do.
  std::error_code ec;
  fs::path real = file;
  if (fs::is_symlink(file, ec)) {
    if (fs::path target = fs::canonical(file, ec); !ec) real = std::move(target);
  }
  // The lock file lives in the file's folder, which must then exist first.
  if (options.write.create_folder && !real.parent_path().empty()) {
    fs::create_directories(real.parent_path(), ec);
  }
  const FileLock lock = FileLock::acquire(real, options.lock_wait);
  if (!lock) {
    result.error = lock.error();
    return result;
  }
  // Under the lock no other save of the file is under way: a temporary file is what a save
  // killed before its rename left.
  remove_abandoned_temporaries(real);
  const FileRead now = read_whole_file(real);
  if (!now.error.empty()) {
    result.error = now.error;
    return result;
  }
  const std::optional<std::string> next = update(now.bytes, result.error);
  if (!result.error.empty() || !next || next == now.bytes) return result;
  result.error = write_file_atomically(real, *next, options.write);
  result.written = result.error.empty();
  return result;
}

}  // namespace noemie::store
