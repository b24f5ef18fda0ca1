#include "core/platform/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "core/platform/posix/stat_stamp.h"

namespace noemie::platform {
namespace {

// An open folder, closed when it goes away.
class OpenFolder {
 public:
  explicit OpenFolder(const std::filesystem::path& folder) : dir_(::opendir(folder.c_str())) {}
  ~OpenFolder() {
    if (dir_) ::closedir(dir_);
  }
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;

  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

std::error_code errno_code() {
  return {errno, std::generic_category()};
}

}  // namespace

FolderListing list_folder(const std::filesystem::path& folder, std::error_code& error,
                          bool with_stamps) {
  error.clear();
  const OpenFolder dir(folder);
  if (!dir.get()) {
    error = errno_code();
    return {};
  }
  const int fd = ::dirfd(dir.get());
  FolderListing listing;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir.get());
    if (!entry) {
      if (errno != 0) error = errno_code();
      break;
    }
    if (entry->d_name[0] == '\0' || entry->d_name[0] == '.') continue;
    FolderEntry listed;
    listed.raw_name = entry->d_name;
    listed.path = folder / listed.raw_name;
    // Examined by its name in the open folder (links followed), never opened: the path is
    // not looked up again from the root. Without stamps, only what the listing cannot tell
    // (a link, an unknown type) is examined.
    const bool examine = with_stamps || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
    struct stat info {};
    if (!examine) {
      listed.is_directory = entry->d_type == DT_DIR;
    } else if (::fstatat(fd, entry->d_name, &info, 0) == 0) {
      listed.is_directory = S_ISDIR(info.st_mode);
      if (with_stamps && S_ISREG(info.st_mode)) listed.stamp = posix::stamp_of(info);
    }
    listing.push_back(std::move(listed));
  }
  if (error) return {};
  return listing;
}

std::error_code check_folder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(folder, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return std::make_error_code(std::errc::no_such_file_or_directory);
  }
  if (error) return error;
  if (!std::filesystem::is_directory(status)) {
    return std::make_error_code(std::errc::not_a_directory);
  }
  std::filesystem::directory_iterator listing(folder, error);
  return error;
}

}  // namespace noemie::platform
