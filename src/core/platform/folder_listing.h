#pragma once
// Listing the entries of a folder with the platform's own calls: on Windows through the wide
// API, so that every name is had as it is, whatever the system's code page.

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace noemie::platform {

struct FolderEntry {
  std::filesystem::path path;  // the folder as given, joined with the entry's name
  // The bare name as text: the native bytes on POSIX, UTF-8 on Windows. Name patterns and
  // the scan order work on it, so that one set of names is listed alike on both.
  std::string raw_name;
  bool is_directory = false;  // a folder, or a link to one
};
using FolderListing = std::vector<FolderEntry>;

// Every entry of `folder` except names beginning with ".", in the order the system gives
// them. `error` is set when the folder itself cannot be listed; the result is then empty.
FolderListing list_folder(const std::filesystem::path& folder, std::error_code& error);

// Nothing when `folder` is a folder whose entries can be listed, else why not:
// no_such_file_or_directory, not_a_directory, permission_denied, or the system's own code.
std::error_code check_folder(const std::filesystem::path& folder);

}  // namespace noemie::platform
