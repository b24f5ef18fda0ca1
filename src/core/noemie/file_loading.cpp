#include "core/noemie/file_loading.h"

#include <cstdint>
#include <new>

#include "core/platform/read_only_file.h"

namespace noemie {
namespace {

std::unique_ptr<unsigned char[]> buffer_for(std::uintmax_t file_size) {
  // The whole file, whatever its size: one too large for memory is a lack of memory.
  const auto size = static_cast<std::size_t>(file_size);
  if (size != file_size || size > static_cast<std::size_t>(PTRDIFF_MAX)) throw std::bad_alloc();
  return std::make_unique_for_overwrite<unsigned char[]>(size);
}

}  // namespace

int load_file(const std::filesystem::path& path, std::unique_ptr<unsigned char[]>& buffer,
              std::size_t& read, std::int64_t& file_time, platform::FileStamp* stamp) {
  platform::ReadOnlyFile file(path);
  if (!file.is_open()) return 0;
  // The time stamp comes with the open, sparing the list a lookup of every name.
  file_time = file.file_time();
  if (stamp) *stamp = file.stamp();
  buffer = buffer_for(file.size());
  const auto size = static_cast<std::size_t>(file.size());
  read = 0;
  while (read < size) {
    const std::size_t n = file.read(buffer.get() + read, size - read);
    if (n == 0) break;
    read += n;
  }
  return -1;
}

}  // namespace noemie
