#pragma once
// The files of each name pattern as the last fill selected them, kept while the folder lists
// the same entries: a refill of a large folder that did not change (the usual case after a
// filter change) then matches, orders and names its files once, not on every fill.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/viewer/folder_scan.h"

namespace noemie::viewer {

class PatternSelections {
 public:
  // Keeps what was selected when `listing` holds the same entries, in the same order, as the
  // listing of the last call; forgets it otherwise. Returns true when it was kept.
  bool follow(const FolderListing& listing);

  // select_pattern(listing, pattern) of the listing last followed; made once per listing.
  const std::vector<ScannedFile>& files(const FolderListing& listing, std::string_view pattern);

  void clear();

 private:
  std::vector<std::string> names_;
  std::vector<bool> directories_;
  std::map<std::string, std::vector<ScannedFile>, std::less<>> by_pattern_;
};

}  // namespace noemie::viewer
