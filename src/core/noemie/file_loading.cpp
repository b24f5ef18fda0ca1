#include "core/noemie/file_loading.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "core/platform/read_only_file.h"

namespace noemie {
namespace {

// Bytes of a whole file, as a size in memory; too many for memory is a lack of memory.
std::size_t memory_size(std::uint64_t bytes) {
  if (bytes >= static_cast<std::uint64_t>(PTRDIFF_MAX)) throw std::bad_alloc();
  return static_cast<std::size_t>(bytes);
}

int load_open_file(platform::ReadOnlyFile& file, FileBuffer& buffer, std::size_t& read,
                   std::int64_t& file_time, std::optional<platform::FileStamp>* stamp) {
  if (!file.is_open()) return 0;
  // The time stamp comes with the open, sparing the list a lookup of every name.
  file_time = file.file_time();
  const std::size_t expected = memory_size(file.size());
  // Room for one byte more than expected: a read that fills it tells that the file grew, a
  // shorter one that its end was reached, with no further call.
  std::size_t room = expected + 1;
  buffer.make_room(room);
  read = file.read(buffer.data(), room);
  while (read == room) {
    room = memory_size(std::uint64_t{room} * 2);
    buffer.make_room(room, read);
    read += file.read(buffer.data() + read, room - read);
  }
  if (stamp) {
    *stamp = std::nullopt;
    if (read == expected) *stamp = file.stamp();
  }
  return -1;
}

}  // namespace

void FileBuffer::make_room(std::size_t size, std::size_t kept) {
  if (size <= capacity_) return;
  auto larger = std::make_unique_for_overwrite<unsigned char[]>(size);
  if (kept > 0) std::memcpy(larger.get(), data_.get(), kept);
  data_ = std::move(larger);
  capacity_ = size;
}

void FileBuffer::trim(std::size_t limit) {
  if (capacity_ <= limit) return;
  data_.reset();
  capacity_ = 0;
}

int load_file(const std::filesystem::path& path, const platform::FileStamp* listed,
              FileBuffer& buffer, std::size_t& read, std::int64_t& file_time,
              std::optional<platform::FileStamp>* stamp) {
  read = 0;
  if (listed) {
    platform::ReadOnlyFile file(path, *listed);
    return load_open_file(file, buffer, read, file_time, stamp);
  }
  platform::ReadOnlyFile file(path);
  return load_open_file(file, buffer, read, file_time, stamp);
}

}  // namespace noemie
