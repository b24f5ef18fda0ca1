#include "support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/platform/clock.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace noemie::testing {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path()) {}

TempDir::TempDir(const std::filesystem::path& base) {
  // A new folder of a name nobody else took, readable by its owner only (as mkdtemp makes
  // it; Windows has no mkdtemp).
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto candidate = base / ("noemie-test-" + std::to_string(random()));
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) {
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, ec);
      path_ = candidate;
      return;
    }
    if (ec) break;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
  // Give back write permission first, so that tests of read-only folders clean up too.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempDir::write(const std::filesystem::path& name,
                                     std::string_view bytes) const {
  const auto full = path_ / name;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + full.string());
  return full;
}

void set_file_time(const std::filesystem::path& path, std::int64_t file_time) {
#ifdef _WIN32
  const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const auto units = static_cast<std::uint64_t>(file_time);
  const FILETIME time{static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
  const bool set = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &time);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!set) throw std::runtime_error("cannot set the time of " + path.string());
#else
  using Units = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000> >;
  const std::chrono::sys_time<Units> when{Units(file_time - platform::kFileTimeUnixEpoch)};
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::from_sys(
                std::chrono::time_point_cast<std::chrono::system_clock::duration>(when)));
#endif
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

}  // namespace noemie::testing
