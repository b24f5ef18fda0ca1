#pragma once
// Listing the entries of a folder with the platform's own calls: on Windows through the wide
// API, so that every name is had as it is, whatever the system's code page. The listing also
// gives each file's stamp without opening the file, so that a refill and the folder watch
// tell changed files from unchanged ones in one read of the folder.

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/platform/file_stamp.h"

namespace noemie::platform {

struct FolderEntry {
  std::filesystem::path path;  // the folder as given, joined with the entry's name
  // The bare name as text: the native bytes on POSIX, UTF-8 on Windows. Name patterns and
  // the scan order work on it, so that one set of names is listed alike on both.
  std::string raw_name;
  bool is_directory = false;  // a folder, or a link to one
  // The regular file's stamp as the listing found it; nothing for a folder, for what is not a
  // regular file, and where the listing cannot vouch for the file behind the name (a link on
  // Windows, whose own entry describes the link, not its target).
  std::optional<FileStamp> stamp;
};
using FolderListing = std::vector<FolderEntry>;

// Every entry of `folder` except names beginning with ".", in the order the system gives
// them. `error` is set when the folder itself cannot be listed; the result is then empty.
// Where the stamps cost a call per entry (POSIX), `with_stamps` false leaves them out (a
// first fill, which compares no stamp, spares those calls); Windows gives them anyway.
FolderListing list_folder(const std::filesystem::path& folder, std::error_code& error,
                          bool with_stamps = true);

// The entry's stamp: the listing's, else (a link on Windows) what opening the file tells.
std::optional<FileStamp> stamp_of(const FolderEntry& entry);

// Nothing when `folder` is a folder whose entries can be listed, else why not:
// no_such_file_or_directory, not_a_directory, permission_denied, or the system's own code.
std::error_code check_folder(const std::filesystem::path& folder);

}  // namespace noemie::platform
