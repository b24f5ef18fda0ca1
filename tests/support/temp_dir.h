#pragma once
// A fresh temporary folder, removed with everything in it when the object goes away.

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace noemie::testing {

class TempDir {
 public:
  // In the system's temporary folder, or in `base`.
  TempDir();
  explicit TempDir(const std::filesystem::path& base);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to `name` inside the folder and returns its full path.
  std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// Sets the modification time of `path` to `file_time` (100-ns units since 1601, UTC), to the
// unit: on Windows the standard library's setter keeps whole seconds only.
void set_file_time(const std::filesystem::path& path, std::int64_t file_time);

// The whole content of a file ("" when it cannot be read).
std::string read_file(const std::filesystem::path& path);

}  // namespace noemie::testing
