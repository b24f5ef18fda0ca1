#pragma once
// Finding the return files of a folder for one name pattern, in a reproducible order.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/platform/folder_listing.h"

namespace noemie::viewer {

// A file of a listing; its path is its listing entry's (listing[entry].path).
struct ScannedFile {
  std::string name;            // bare name as Windows-1252 text
  std::int64_t file_time = 0;  // the file's time stamp as a file time (UTC); 0 when unknown
  std::size_t entry = 0;       // its place in the listing it was selected from
};

// True when the bare name `name` matches `pattern`: "*.EXT" matches a name whose text after its
// last "." equals EXT, letters in any case; "*." matches a name with no "." at all.
bool matches_pattern(std::string_view name, std::string_view pattern);

// Orders names as the list takes them: ASCII letters upper-cased, ties in byte order.
bool scan_order_less(std::string_view a, std::string_view b);

// A file name or path as Windows-1252 text ("?" for a character without a Windows-1252
// form); on POSIX a name that is not valid UTF-8 is kept byte for byte.
std::string display_name(const std::filesystem::path& name);

// The entries of a folder as one enumeration gives them, for matching against several
// patterns without enumerating the folder again (see core/platform/folder_listing.h).
using platform::FolderEntry;
using platform::FolderListing;
using platform::list_folder;

// The files of a listing that match `pattern`, in scan order, without their times (they go
// with the listing, whose stamps a fill reads afresh; scan_pattern adds them). Folders are
// skipped; a link that leads nowhere is kept (reading it will fail and say so).
std::vector<ScannedFile> select_pattern(const FolderListing& listing, std::string_view pattern);

// The files of `folder` that match `pattern`, in scan order. Names beginning with "." and
// folders are skipped; a link that leads nowhere is kept (reading it will fail and say so).
// `error` is set when the folder itself cannot be read; the result is then empty.
struct ScannedFolder {
  FolderListing listing;
  std::vector<ScannedFile> files;
  const std::filesystem::path& path(const ScannedFile& file) const {
    return listing[file.entry].path;
  }
};
ScannedFolder scan_pattern(const std::filesystem::path& folder, std::string_view pattern,
                           std::error_code& error);

}  // namespace noemie::viewer
