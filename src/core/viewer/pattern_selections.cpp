#include "core/viewer/pattern_selections.h"

#include <algorithm>

namespace noemie::viewer {

bool PatternSelections::follow(const FolderListing& listing) {
  const bool same =
      names_.size() == listing.size() &&
      std::equal(
          listing.begin(), listing.end(), names_.begin(),
          [](const FolderEntry& e, const std::string& name) { return e.raw_name == name; }) &&
      std::equal(listing.begin(), listing.end(), directories_.begin(),
                 [](const FolderEntry& e, bool directory) { return e.is_directory == directory; });
  if (same) return true;
  clear();
  names_.reserve(listing.size());
  directories_.reserve(listing.size());
  for (const FolderEntry& e : listing) {
    names_.push_back(e.raw_name);
    directories_.push_back(e.is_directory);
  }
  return false;
}

const std::vector<ScannedFile>& PatternSelections::files(const FolderListing& listing,
                                                         std::string_view pattern) {
  const auto it = by_pattern_.find(pattern);
  if (it != by_pattern_.end()) return it->second;
  return by_pattern_.emplace(std::string(pattern), select_pattern(listing, pattern)).first->second;
}

void PatternSelections::clear() {
  names_.clear();
  directories_.clear();
  by_pattern_.clear();
}

}  // namespace noemie::viewer
