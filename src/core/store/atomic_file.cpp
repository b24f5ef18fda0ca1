#include "core/store/atomic_file.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#include "core/platform/file_write.h"
#include "core/platform/path_text.h"

#ifdef _WIN32
#include "core/platform/win32/file_replace.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace noemie::store {
namespace {

namespace fs = std::filesystem;

using Producer = std::function<bool(const ByteSink&)>;

std::string describe(std::string_view what, const fs::path& path, int error,
                     const std::error_category& category = std::generic_category()) {
  std::string out(what);
  out += ' ';
  out += platform::path_to_native_text(path);
  out += ": ";
  out += category.message(error);
  return out;
}

constexpr std::string_view kTemporaryMark = ".tmp";
constexpr std::size_t kSaltDigits = 8;

// A name for the temporary file that no other writer picks at the same moment.
fs::path temporary_name(const fs::path& target) {
  std::uint32_t salt = 0;
  try {
    salt = std::random_device()();
  } catch (...) {
    // No entropy source: the exclusive create below still refuses a clash, and we retry.
    salt = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&salt));
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string suffix(kTemporaryMark);
  for (std::size_t i = 0; i < kSaltDigits; ++i) suffix += kHex[(salt >> (4 * i)) & 0xF];
  fs::path name = target;
  name += suffix;
  return name;
}

// The file a symbolic link leads to, so that the link itself survives the replacement.
fs::path resolve_link(const fs::path& target) {
  std::error_code ec;
  if (!fs::is_symlink(target, ec)) return target;
  const auto real = fs::canonical(target, ec);
  return ec ? target : real;
}

#ifdef _WIN32

std::string write_new_file(const fs::path& tmp, const Producer& produce, const fs::path& target,
                           bool& exists) {
  const std::error_code error = platform::win32::write_new_file(tmp, produce);
  exists = error == std::errc::file_exists;
  return error ? describe("cannot write", target, error.value(), error.category()) : "";
}

std::string replace_file(const fs::path& tmp, const fs::path& target) {
  const std::error_code error = platform::win32::replace_file(tmp, target);
  return error ? describe("cannot replace", target, error.value(), error.category()) : "";
}

#else

std::string write_new_file(const fs::path& tmp, const Producer& produce, const fs::path& target,
                           bool& exists) {
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    exists = errno == EEXIST;
    return describe("cannot create a temporary file", tmp, errno);
  }
  // The new file keeps the permissions of the one it replaces.
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) (void)::fchmod(fd, st.st_mode & 07777);

  int error = 0;
  const ByteSink sink = [&](std::string_view bytes) {
    if (error == 0) error = platform::write_all(fd, bytes, std::errc::no_space_on_device).value();
    return error == 0;
  };
  bool produced = false;
  try {
    produced = produce(sink);
  } catch (...) {
    ::close(fd);
    ::unlink(tmp.c_str());
    throw;
  }
  if (error == 0 && !produced) error = ECANCELED;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    ::unlink(tmp.c_str());
    return describe("cannot write", target, error);
  }
  return {};
}

std::string replace_file(const fs::path& tmp, const fs::path& target) {
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(tmp.c_str());
    return describe("cannot replace", target, error);
  }
  // Make the rename itself durable; the data is safe either way, so a failure here is not one.
  const auto folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return {};
}

#endif

}  // namespace

std::string write_file_atomically(const fs::path& target, std::string_view bytes,
                                  const AtomicWriteOptions& options) {
  return write_file_atomically(
      target, [bytes](const ByteSink& sink) { return sink(bytes); }, options);
}

std::string write_file_atomically(const fs::path& target, const Producer& produce,
                                  const AtomicWriteOptions& options) {
  const fs::path real = resolve_link(target);
  // Only a regular file is ever replaced: renaming over a device or a pipe (a save to
  // /dev/null, say) would put a plain file in its place.
  std::error_code status_error;
  const fs::file_status status = fs::status(real, status_error);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return describe("cannot replace what is not a regular file", real, EINVAL);
  }
  if (options.create_folder && !real.parent_path().empty()) {
    std::error_code ec;
    fs::create_directories(real.parent_path(), ec);
    if (ec) return describe("cannot create the folder", real.parent_path(), ec.value());
  }
  // A disk with `room_left` bytes free takes that many, then refuses the rest.
  bool disk_full = false;
  Producer limited = produce;
  if (options.room_left) {
    limited = [&produce, &disk_full, left = *options.room_left](const ByteSink& sink) mutable {
      return produce([&](std::string_view bytes) {
        if (bytes.size() > left) {
          sink(bytes.substr(0, static_cast<std::size_t>(left)));
          left = 0;
          disk_full = true;
          return false;
        }
        left -= bytes.size();
        return sink(bytes);
      });
    };
  }
  std::string error;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const fs::path tmp = temporary_name(real);
    bool exists = false;
    error = write_new_file(tmp, limited, real, exists);
    if (!error.empty() && disk_full) return describe("cannot write", real, ENOSPC);
    if (error.empty()) return replace_file(tmp, real);
    if (!exists) break;
  }
  return error;
}

std::size_t remove_abandoned_temporaries(const fs::path& target) {
  const std::string prefix =
      platform::path_to_native_text(target.filename()) + std::string(kTemporaryMark);
  const auto is_temporary = [&](const std::string& name) {
    return name.size() == prefix.size() + kSaltDigits && name.starts_with(prefix) &&
           name.find_first_not_of("0123456789abcdef", prefix.size()) == std::string::npos;
  };
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::size_t removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code gone;
    if (is_temporary(platform::path_to_native_text(it->path().filename())) &&
        fs::remove(it->path(), gone))
      ++removed;
  }
  return removed;
}

}  // namespace noemie::store
