#pragma once
// Loading a return file whole into memory.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/platform/file_stamp.h"

namespace noemie {

// Room for the bytes of a file, kept from file to file by whoever reads many of them.
class FileBuffer {
 public:
  unsigned char* data() const { return data_.get(); }
  std::size_t capacity() const { return capacity_; }
  // Room for at least `size` bytes, the first `kept` bytes held now kept. Throws std::bad_alloc.
  void make_room(std::size_t size, std::size_t kept = 0);
  // Gives the room back when it is larger than `limit` bytes (that of a rare long file).
  void trim(std::size_t limit);

 private:
  std::unique_ptr<unsigned char[]> data_;
  std::size_t capacity_ = 0;
};

// Reads the whole file at `path` into `buffer`, to its end; `read` is the number of bytes
// actually read (a read error leaves what was read). Returns -1 when done, or 0 when the file
// cannot be opened: it is missing, a dangling link, not readable, or not a regular file (a
// folder cannot be read, and reading a pipe could wait for ever). Throws std::bad_alloc when
// there is no memory for the file.
//  - `listed`: the file's stamp as a folder listing just gave it, or null; with it, the file
//    costs one open, one read and one close wherever the system would otherwise be asked
//    again for what the listing told.
//  - `file_time` receives the file's last modification as a file time (100-ns units since
//    1601, UTC) once it is open.
//  - `stamp`, when given, receives the file's stamp as it was before its bytes were read, or
//    nothing when the bytes read are not as many as that stamp says (the file changed
//    meanwhile, or the listing was behind): what was read then says nothing about the stamp.
int load_file(const std::filesystem::path& path, const platform::FileStamp* listed,
              FileBuffer& buffer, std::size_t& read, std::int64_t& file_time,
              std::optional<platform::FileStamp>* stamp = nullptr);

}  // namespace noemie
