#include "core/viewer/folder_scan.h"

#include <algorithm>

#include "core/platform/path_text.h"

namespace noemie::viewer {
namespace {

char ascii_upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ascii_upper(x) == ascii_upper(y);
         });
}

}  // namespace

bool matches_pattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.") return name.find('.') == std::string_view::npos;
  if (pattern.size() < 2 || pattern.substr(0, 2) != "*.") return false;
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  return equal_ignoring_ascii_case(name.substr(dot + 1), pattern.substr(2));
}

bool scan_order_less(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ua = static_cast<unsigned char>(ascii_upper(a[i]));
    const auto ub = static_cast<unsigned char>(ascii_upper(b[i]));
    if (ua != ub) return ua < ub;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // same letters in another case: plain byte order
}

std::string display_name(const std::filesystem::path& name) {
  return platform::path_to_cp1252(name);
}

std::vector<ScannedFile> select_pattern(const FolderListing& listing, std::string_view pattern) {
  // Each name upper-cased once, its first eight bytes packed into a number, so that the sort
  // mostly compares numbers (scan_order_less's order): a folder of years holds tens of
  // thousands of names.
  struct Key {
    std::uint64_t head;
    std::uint32_t upper;  // in `uppers`
    const FolderEntry* entry;
  };
  std::vector<std::string> uppers;
  std::vector<Key> matching;
  for (const FolderEntry& e : listing) {
    if (e.is_directory || !matches_pattern(e.raw_name, pattern)) continue;
    std::string upper = e.raw_name;
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < upper.size(); ++i) {
      upper[i] = ascii_upper(upper[i]);
      if (i < 8) head |= std::uint64_t{static_cast<unsigned char>(upper[i])} << (56 - 8 * i);
    }
    matching.push_back({head, static_cast<std::uint32_t>(uppers.size()), &e});
    uppers.push_back(std::move(upper));
  }
  std::sort(matching.begin(), matching.end(), [&](const Key& a, const Key& b) {
    if (a.head != b.head) return a.head < b.head;
    const std::string& ua = uppers[a.upper];
    const std::string& ub = uppers[b.upper];
    if (ua != ub) return ua < ub;
    return a.entry->raw_name < b.entry->raw_name;  // same letters in another case
  });
  std::vector<ScannedFile> files;
  files.reserve(matching.size());
  for (const Key& k : matching) {
    // A name of ASCII characters only (as return files are named) reads the same in every
    // encoding.
    const std::string& raw = k.entry->raw_name;
    const bool ascii = std::all_of(raw.begin(), raw.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    files.push_back({ascii ? raw : display_name(k.entry->path.filename()), 0,
                     static_cast<std::size_t>(k.entry - listing.data())});
  }
  return files;
}

ScannedFolder scan_pattern(const std::filesystem::path& folder, std::string_view pattern,
                           std::error_code& error) {
  ScannedFolder scanned;
  scanned.listing = list_folder(folder, error);
  if (error) return {};
  scanned.files = select_pattern(scanned.listing, pattern);
  for (ScannedFile& file : scanned.files) {
    const auto stamp = platform::stamp_of(scanned.listing[file.entry]);
    file.file_time = stamp ? platform::modified_file_time(*stamp) : 0;
  }
  return scanned;
}

}  // namespace noemie::viewer
